// The SVG deck library: checks a deck's bytes, parses them with Qt SVG once and draws its cards
// at any size.
#include "cards/svg_deck/klondike_svgdeck.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <array>

#include "cards/svg_deck_text.h"

#if defined(_WIN32)
#define KLONDIKE_SVGDECK_EXPORT extern "C" __declspec(dllexport)
#else
#define KLONDIKE_SVGDECK_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

std::array<QString, cards::kSvgDeckCards> cardIds() {
  std::array<QString, cards::kSvgDeckCards> ids;
  for (int card = 0; card < cards::kSvgDeckCards; ++card)
    ids[std::size_t(card)] = QString::fromStdString(cards::svgCardId(card));
  return ids;
}

struct Deck {
  QSvgRenderer renderer;
  std::array<QString, cards::kSvgDeckCards> ids = cardIds();
};

}  // namespace

KLONDIKE_SVGDECK_EXPORT void* klondike_svgdeck_open(const unsigned char* bytes, size_t size) {
  const std::optional<std::string> text = cards::svgDeckText(cards::ByteView(bytes, size));
  if (!text) return nullptr;
  auto deck = std::make_unique<Deck>();
  if (!deck->renderer.load(QByteArray::fromRawData(text->data(), qsizetype(text->size()))))
    return nullptr;
  for (const QString& id : deck->ids)
    if (!deck->renderer.elementExists(id) || deck->renderer.boundsOnElement(id).isEmpty())
      return nullptr;
  return deck.release();
}

KLONDIKE_SVGDECK_EXPORT int klondike_svgdeck_render(void* deck, int card, unsigned char* pixels,
                                                    int width, int height, int bytesPerLine) {
  if (deck == nullptr || card < 0 || card >= cards::kSvgDeckCards || width <= 0 || height <= 0)
    return 0;
  QImage image(pixels, width, height, bytesPerLine, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  const Deck& d = *static_cast<Deck*>(deck);
  const_cast<QSvgRenderer&>(d.renderer)
      .render(&painter, d.ids[std::size_t(card)], QRectF(0, 0, width, height));
  return 1;
}

KLONDIKE_SVGDECK_EXPORT void klondike_svgdeck_close(void* deck) { delete static_cast<Deck*>(deck); }
