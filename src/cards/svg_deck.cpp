#include "cards/svg_deck.h"

#include <QFont>
#include <QLibrary>
#include <QPainter>
#include <QPainterPath>

#include "cards/card_image.h"
#include "cards/run_later.h"
#include "cards/svg_deck/klondike_svgdeck.h"
#include "cards/svg_deck_text.h"
#include "platform/file_io.h"
#include "platform/own_library.h"

namespace cards {
namespace {

struct SvgDeckLibrary {
  klondike_svgdeck_open_fn open = nullptr;
  klondike_svgdeck_render_fn render = nullptr;
  klondike_svgdeck_close_fn close = nullptr;
};

const SvgDeckLibrary* svgDeckLibrary() {
  // Loaded once, on the first deck, and kept: decks live in it.
  static const SvgDeckLibrary* const loaded = [] {
    static QLibrary library;
    static SvgDeckLibrary entries;
    using platform::resolveEntry;
    return platform::loadOwnLibrary(
               library, platform::ownLibraryFileName(QStringLiteral("klondike-svgdeck"))) &&
                   resolveEntry(library, "klondike_svgdeck_open", entries.open) &&
                   resolveEntry(library, "klondike_svgdeck_render", entries.render) &&
                   resolveEntry(library, "klondike_svgdeck_close", entries.close)
               ? &entries
               : nullptr;
  }();
  return loaded;
}

constexpr std::size_t kKeptSheets = 4;

// An empty foundation, which an SVG deck has no picture for: a plain outline with an "A".
void paintFoundationOutline(QImage& image, const QRect& cell) {
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  const qreal unit = cell.height() / qreal(kCardHeight);
  const QRectF outline = QRectF(cell).adjusted(unit, unit, -unit, -unit);
  p.setPen(QPen(QColor(255, 255, 255, 150), 1.5 * unit));
  p.setBrush(QColor(255, 255, 255, 36));
  p.drawRoundedRect(outline, 6 * unit, 6 * unit);
  QFont font(QStringLiteral("DejaVu Serif"));
  font.setBold(true);
  font.setPixelSize(qMax(1, qRound(44 * unit)));
  p.setFont(font);
  p.setPen(QColor(255, 255, 255, 150));
  p.drawText(QRectF(cell), Qt::AlignCenter, QStringLiteral("A"));
}

}  // namespace

bool isSvgDeckName(const QString& fileName) {
  return fileName.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive) ||
         fileName.endsWith(QLatin1String(".svgz"), Qt::CaseInsensitive);
}

std::shared_ptr<const SvgDeck> SvgDeck::open(const QString& fileName) {
  // One byte more than a deck may have tells a file that is too large without reading it all.
  const std::optional<std::vector<std::uint8_t>> bytes =
      platform::readFile(fileName.toStdString(), kSvgDeckFileLimit + 1);
  const SvgDeckLibrary* library =
      bytes && bytes->size() <= kSvgDeckFileLimit && !bytes->empty() ? svgDeckLibrary() : nullptr;
  if (library == nullptr) return nullptr;
  void* handle = library->open(bytes->data(), bytes->size());
  if (handle == nullptr) return nullptr;
  return std::shared_ptr<const SvgDeck>(new SvgDeck(handle));
}

SvgDeck::~SvgDeck() { svgDeckLibrary()->close(handle_); }

QImage SvgDeck::cell(int code, QSize size) const {
  const std::lock_guard lock(mutex_);
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  if (image.isNull() || code < kCellCardBack || code >= kCellCardBack + kSvgDeckCards ||
      !svgDeckLibrary()->render(handle_, code - kCellCardBack, image.bits(), size.width(),
                                size.height(), int(image.bytesPerLine())))
    return {};
  return image;
}

QImage SvgDeck::drawnSheet(QSize cell) const {
  const std::unique_lock lock(mutex_, std::try_to_lock);
  if (!lock) return {};
  const auto kept = sheets_.find(std::make_pair(cell.width(), cell.height()));
  return kept == sheets_.end() ? QImage() : kept->second;
}

QFuture<void> SvgDeck::drawSheetLater(QSize cell) const {
  return runLater(
      [deck = shared_from_this(), cell](const std::function<bool()>&) { deck->sheet(cell); });
}

QImage SvgDeck::sheet(QSize cell, const std::function<bool()>& stopped) const {
  const std::lock_guard lock(mutex_);
  const auto key = std::make_pair(cell.width(), cell.height());
  if (const auto kept = sheets_.find(key); kept != sheets_.end()) return kept->second;
  QImage sheet(cell.width() * kSheetColumns, cell.height() * kSheetRows,
               QImage::Format_ARGB32_Premultiplied);
  if (sheet.isNull()) return {};
  sheet.fill(Qt::transparent);
  const auto cellRect = [&](int code) {
    const CellPosition at = cellPosition(code);
    return QRect(QPoint(at.column * cell.width(), at.row * cell.height()), cell);
  };
  for (int code = kCellCardBack; code < kCellCardBack + kSvgDeckCards; ++code) {
    if (stopped && stopped()) return {};
    const QRect target = cellRect(code);
    svgDeckLibrary()->render(handle_, code - kCellCardBack,
                             sheet.bits() + target.top() * sheet.bytesPerLine() + target.left() * 4,
                             cell.width(), cell.height(), int(sheet.bytesPerLine()));
  }
  for (int k = 0; k < 4; ++k) paintFoundationOutline(sheet, cellRect(foundationMarkerCell(k)));
  if (sheets_.size() >= kKeptSheets) sheets_.erase(sheets_.begin());
  sheets_.emplace(key, sheet);
  return sheet;
}

}  // namespace cards
