#include "tools/cardset/svg_deck_writer.h"

#include <QBuffer>
#include <QSvgGenerator>

#include "cards/svg_deck_text.h"
#include "tools/cardset/clipping_recorder.h"

namespace cardset {
namespace {

constexpr int kWidth = 88, kHeight = 130, kColumns = 13;

// The drawing of one card as SVG elements, without the document around them. Ids the generator
// numbers per document (gradients, clip paths) get the card's id in front, so that the cards'
// definitions stay apart in one document.
QByteArray CardElements(int cell, const DeckScheme& scheme, const QByteArray& id) {
  QBuffer buffer;
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(QSize(kWidth, kHeight));
  generator.setViewBox(QRect(0, 0, kWidth, kHeight));
  {
    QPainter svg(&generator);
    ClippingRecorder recorder(svg, QSize(kWidth, kHeight));
    QPainter painter(&recorder);
    PaintCard(painter, cell, scheme);
  }
  QByteArray svg = buffer.data();
  const qsizetype begin = svg.indexOf("</desc>");
  const qsizetype end = svg.lastIndexOf("</svg>");
  if (begin < 0 || end < begin) return {};
  QByteArray body = svg.mid(begin + 7, end - begin - 7);
  body.replace("id=\"", "id=\"" + id + "-");
  body.replace("url(#", "url(#" + id + "-");
  return body;
}

}  // namespace

QByteArray SvgCardId(int cell) {
  return QByteArray::fromStdString(cards::svgCardId(cell - kBackCell));
}

QByteArray WriteSvgDeck(const DeckScheme& scheme) {
  const int width = kColumns * kWidth, height = 5 * kHeight;
  QByteArray svg =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.2\" baseProfile=\"tiny\" width=\"" +
      QByteArray::number(width) + "\" height=\"" + QByteArray::number(height) +
      "\" viewBox=\"0 0 " + QByteArray::number(width) + ' ' + QByteArray::number(height) +
      "\">\n<title>Vessant</title>\n";
  for (int cell = kBackCell; cell < kFirstFaceCell + 52; ++cell) {
    // Faces by rank along a row, one row per suit; the back alone in the last row.
    const int value = cell - kFirstFaceCell;
    const QPoint at = cell == kBackCell ? QPoint(0, 4 * kHeight)
                                        : QPoint((value >> 2) * kWidth, (value & 3) * kHeight);
    const QByteArray id = SvgCardId(cell);
    svg += "<g id=\"" + id + "\" transform=\"translate(" + QByteArray::number(at.x()) + ',' +
           QByteArray::number(at.y()) + ")\">" + CardElements(cell, scheme, id) + "</g>\n";
  }
  svg += "</svg>\n";
  return svg;
}

}  // namespace cardset
