#include "cards/card_set_loader.h"

#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <vector>

#include "cards/card_set_decode.h"
#include "platform/file_io.h"

namespace cards {
namespace {

// The first `limit` bytes of the file (fewer when it is shorter); empty when it cannot be read.
// Only regular files are read, so a pipe named as a card set cannot block the game.
std::vector<std::uint8_t> ReadPrefix(const QString& fileName, std::size_t limit) {
  return platform::readFile(fileName.toStdString(), limit).value_or(std::vector<std::uint8_t>{});
}

QImage ToQImage(const std::uint8_t* rgb, int width, int height, std::size_t rowBytes) {
  return QImage(rgb, width, height, qsizetype(rowBytes), QImage::Format_RGB888)
      .convertToFormat(QImage::Format_RGB32);
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

}  // namespace

LoadedCardSet loadCardSet(const QString& fileName) {
  const WaitCursor waitCursor;
  const std::vector<std::uint8_t> bytes = ReadPrefix(fileName, kSheetReadLimit);
  CardSheet sheet;
  const CardSetInfo info = buildCardSheet(bytes, sheet);
  LoadedCardSet result;
  result.format = info.format;
  result.amigaTableColour = info.amigaTableColour;
  result.amigaSelectColour = info.amigaSelectColour;
  if (info.hasSheet)
    result.sheet = ToQImage(sheet.rgb.data(), kSheetWidth, kSheetHeight, kSheetRowBytes);
  return result;
}

QImage loadCardPreview(const QString& fileName) {
  const std::vector<std::uint8_t> bytes = ReadPrefix(fileName, kPreviewReadLimit);
  CardImage preview;
  if (!buildCardPreview(bytes, preview)) return {};
  return ToQImage(preview.rgb.data(), kCardWidth, kCardHeight, kCardRowBytes);
}

QString NoCardPicturesText(const QString& fileName) {
  return QStringLiteral(
             "The file %1 holds no card pictures: it is missing, cannot be read or is "
             "no card set.")
      .arg(QDir::toNativeSeparators(fileName));
}

}  // namespace cards
