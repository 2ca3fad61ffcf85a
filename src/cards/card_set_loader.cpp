#include "cards/card_set_loader.h"

#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <vector>

#include "cards/card_set_decode.h"
#include "cards/run_later.h"
#include "platform/file_io.h"

namespace cards {
namespace {

// The first `limit` bytes of the file (fewer when it is shorter); empty when it cannot be read.
// Only regular files are read, so a pipe named as a card set cannot block the game.
std::vector<std::uint8_t> ReadPrefix(const QString& fileName, std::size_t limit) {
  return platform::readFile(fileName.toStdString(), limit).value_or(std::vector<std::uint8_t>{});
}

// A picture of the given size in the table's pixel format, and the decoder's view of its pixels.
QImage Rgb32Image(int width, int height) { return QImage(width, height, QImage::Format_RGB32); }

Rgb32Target PixelsOf(QImage& image) {
  return {reinterpret_cast<std::uint32_t*>(image.bits()),
          std::size_t(image.bytesPerLine()) / sizeof(std::uint32_t)};
}

class WaitCursor {
 public:
  WaitCursor() : shown_(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
    if (shown_) QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  }
  ~WaitCursor() {
    if (shown_) QGuiApplication::restoreOverrideCursor();
  }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  bool shown_;
};

LoadedCardSet loadSvgDeck(const QString& fileName, const std::function<bool()>& stopped = {}) {
  LoadedCardSet result;
  result.vectors = SvgDeck::open(fileName);
  if (result.vectors == nullptr) return result;
  result.sheet = result.vectors->sheet(QSize(kCardWidth, kCardHeight), stopped);
  result.format = CardSetFormat::Pc;
  return result;
}

}  // namespace

LoadedCardSet loadCardSet(const QString& fileName) {
  const WaitCursor waitCursor;
  if (isSvgDeckName(fileName)) return loadSvgDeck(fileName);
  const std::vector<std::uint8_t> bytes = ReadPrefix(fileName, kSheetReadLimit);
  LoadedCardSet result;
  if (detectVariant(bytes) == CardSetVariant::None) return result;
  // The decoder writes every pixel of the sheet image once, in the format the painter draws.
  QImage sheet = Rgb32Image(kSheetWidth, kSheetHeight);
  if (sheet.isNull()) return result;
  const Rgb32Target pixels = PixelsOf(sheet);
  const CardSetInfo info = buildCardSheet(bytes, Rgb32Sheet{pixels.pixels, pixels.rowPixels});
  result.format = info.format;
  result.amigaTableColour = info.amigaTableColour;
  result.amigaSelectColour = info.amigaSelectColour;
  result.sheet = std::move(sheet);
  return result;
}

QFuture<LoadedCardSet> loadSvgDeckLater(const QString& fileName, QSize deviceCell) {
  return runLater([fileName, deviceCell](const std::function<bool()>& stopped) {
    LoadedCardSet set = loadSvgDeck(fileName, stopped);
    // Kept by the deck, where the table finds it at once.
    if (set.vectors) set.vectors->sheet(deviceCell, stopped);
    return set;
  });
}

QImage loadCardPreview(const QString& fileName) {
  if (isSvgDeckName(fileName)) {
    const std::shared_ptr<const SvgDeck> deck = SvgDeck::open(fileName);
    if (deck == nullptr) return {};
    // Shown on a white ground, as the chooser's frame has no table colour.
    QImage preview = Rgb32Image(kCardWidth, kCardHeight);
    preview.fill(Qt::white);
    QPainter(&preview).drawImage(0, 0, deck->cell(faceCell(game::Card{0}), preview.size()));
    return preview;
  }
  const std::vector<std::uint8_t> bytes = ReadPrefix(fileName, kPreviewReadLimit);
  QImage preview = Rgb32Image(kCardWidth, kCardHeight);
  if (preview.isNull() || !buildCardPreview(bytes, PixelsOf(preview))) return {};
  return preview;
}

QString NoCardPicturesText(const QString& fileName) {
  return QStringLiteral(
             "The file %1 holds no card pictures: it is missing, cannot be read or is "
             "no card set.")
      .arg(QDir::toNativeSeparators(fileName));
}

}  // namespace cards
