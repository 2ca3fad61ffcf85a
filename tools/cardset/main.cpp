// cardset: inspects card-set files and makes our own.
//
//   cardset info FILE              variant, header values, scheme colours, completeness
//   cardset sheet FILE OUT.png     the 704 x 1040 card sheet as the game decodes it
//   cardset preview FILE OUT.png   the 88 x 130 preview of the card-set chooser
//   cardset make OUT [--variant pc-direct|pc-indexed|planar|svg] [--planes N] [--ham] [--from DIR]
//   cardset icon SIZE OUT.png      the game's icon, SIZE pixels square
//
// `make` writes the built-in deck "Vessant" (default variant pc-direct; planar defaults to 8
// planes). With --from DIR, pictures of 88 x 130 pixels named by sheet cell replace the
// built-in ones: "NN.png" or "N.png" (e.g. "03.png" or "3.png" for the ace of clubs, cell 3 +
// rank * 4 + suit with suits clubs, diamonds, hearts, spades). Cells: 0 plain foundation
// marker, 1 empty place, 2 card back, 3..54 faces, 55..58 foundation markers; PC sets store
// cells 2..58, planar sets 0..58. Cells missing from DIR keep the built-in picture. The svg
// variant writes the built-in deck as vectors (the back and the 52 faces; no --from).
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "cards/card_set_decode.h"
#include "cards/card_set_loader.h"
#include "tools/cardset/app_icon.h"
#include "tools/cardset/card_set_encode.h"
#include "tools/cardset/deck_painter.h"
#include "tools/cardset/svg_deck_writer.h"

namespace {

// The name the program was started by: "cardset" in a build tree, installed under another.
std::string Program() { return QCoreApplication::applicationName().toStdString(); }

[[noreturn]] void Fail(const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", Program().c_str(), message.c_str());
  std::exit(1);
}

int Usage() {
  const std::string program = Program();
  const char* name = program.c_str();
  std::fprintf(
      stderr,
      "usage: %s info FILE\n"
      "       %s sheet FILE OUT.png\n"
      "       %s preview FILE OUT.png\n"
      "       %s make OUT [--variant pc-direct|pc-indexed|planar|svg] [--planes N] [--ham] "
      "[--from DIR]\n"
      "       %s icon SIZE OUT.png\n",
      name, name, name, name, name);
  return 2;
}

std::string Local(const QString& s) { return s.toLocal8Bit().toStdString(); }

[[noreturn]] void FailNotACardSet(const QString& fileName) {
  Fail(Local(fileName) + ": not a card-set file (neither \"PCTAVI\" nor \"TAVI\" magic)");
}

std::string Hex(cards::Rgb c) {
  char text[32];
  std::snprintf(text, sizeof text, "#%02x%02x%02x (colour value 0x%06x)", c.r, c.g, c.b,
                unsigned(cards::colourValue(c)));
  return text;
}

QByteArray ReadWhole(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly))
    Fail(Local(fileName) + ": cannot open: " + Local(file.errorString()));
  return file.readAll();
}

int Info(const QString& fileName) {
  const QByteArray data = ReadWhole(fileName);
  const cards::ByteView bytes(reinterpret_cast<const std::uint8_t*>(data.constData()),
                              std::size_t(data.size()));
  const cards::CardSetVariant variant = cards::detectVariant(bytes);
  std::printf("file: %s (%lld bytes)\n", Local(fileName).c_str(),
              static_cast<long long>(data.size()));
  switch (variant) {
    case cards::CardSetVariant::None: FailNotACardSet(fileName);
    case cards::CardSetVariant::PcDirect:
    case cards::CardSetVariant::PcIndexed: {
      const bool indexed = variant == cards::CardSetVariant::PcIndexed;
      std::printf("variant: PC (\"PCTAVI\", little-endian)\n");
      std::printf(
          "pixel format: byte 20 = %u: %s\n",
          unsigned(std::uint8_t(data.size() > 20 ? data[20] : 0)),
          indexed ? "8-bit indexed, a 256-entry palette per image" : "direct 16-bit colour");
      std::printf("images: 57 (byte 21 = %u is not used)\n",
                  unsigned(std::uint8_t(data.size() > 21 ? data[21] : 0)));
      std::printf("record size: %zu bytes\n",
                  indexed ? cards::kPcIndexedRecordSize : cards::kPcDirectRecordSize);
      break;
    }
    case cards::CardSetVariant::Planar: {
      const cards::PlanarHeader h = cards::readPlanarHeader(bytes);
      std::printf("variant: planar (\"TAVI\", big-endian)\n");
      std::printf("planes: %u stored, %u decoded\n", h.depth, h.planes);
      std::printf("HAM: %s (mode flags 0x%08x)\n", h.ham ? "yes" : "no", unsigned(h.modeFlags));
      std::printf("stride: %u bytes (pictures take %llu)\n", unsigned(h.stride),
                  static_cast<unsigned long long>(h.imageDataSize()));
      std::printf("palette: %u entries\n", h.paletteSize);
      std::printf("images: %u stored, %u used\n", h.imageCount, h.imagesUsed);
      std::printf("scheme table colour (entry 0): %s\n", Hex(h.tableColour).c_str());
      std::printf("scheme selection colour (entry 2): %s\n", Hex(h.selectColour).c_str());
      break;
    }
  }
  const std::uint64_t promised = cards::promisedSize(bytes);
  if (promised <= std::uint64_t(data.size()))
    std::printf("data: complete (the header promises %llu bytes)\n",
                static_cast<unsigned long long>(promised));
  else
    std::printf(
        "data: INCOMPLETE: the header promises %llu bytes, %llu missing (missing pictures show "
        "black)\n",
        static_cast<unsigned long long>(promised),
        static_cast<unsigned long long>(promised - std::uint64_t(data.size())));
  if (std::uint64_t(data.size()) > cards::kSheetReadLimit)
    std::printf("note: the game reads only the first %zu bytes\n", cards::kSheetReadLimit);
  return 0;
}

void RequireReadable(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly))
    Fail(Local(fileName) + ": cannot open: " + Local(file.errorString()));
}

void SavePng(const QImage& image, const QString& out) {
  if (!image.save(out, "PNG")) Fail(Local(out) + ": cannot write the PNG file");
}

int Sheet(const QString& fileName, const QString& out) {
  RequireReadable(fileName);
  const cards::LoadedCardSet set = cards::loadCardSet(fileName);
  if (set.sheet.isNull()) FailNotACardSet(fileName);
  SavePng(set.sheet, out);
  return 0;
}

int Preview(const QString& fileName, const QString& out) {
  RequireReadable(fileName);
  const QImage preview = cards::loadCardPreview(fileName);
  if (preview.isNull()) FailNotACardSet(fileName);
  SavePng(preview, out);
  return 0;
}

cards::CardImage ToCardImage(const QImage& picture) {
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
  cards::CardImage image;
  image.target().copyFrom(rgb.constBits(), std::size_t(rgb.bytesPerLine()));
  return image;
}

cards::Rgb ToRgb(QColor c) {
  return {std::uint8_t(c.red()), std::uint8_t(c.green()), std::uint8_t(c.blue())};
}

// Replaces built-in pictures by those of `dir` named by sheet cell.
void TakePictures(std::vector<QImage>& cells, const QString& dir) {
  const QDir folder(dir);
  if (!folder.exists()) Fail(Local(dir) + ": no such folder");
  int taken = 0;
  for (int cell = 0; cell < int(cells.size()); ++cell) {
    for (const QString& name :
         {QString::asprintf("%02d.png", cell), QString::asprintf("%d.png", cell)}) {
      if (!folder.exists(name)) continue;
      const QString path = folder.filePath(name);
      QImage picture(path);
      if (picture.isNull()) Fail(Local(path) + ": not a readable PNG picture");
      if (picture.width() != cards::kCardWidth || picture.height() != cards::kCardHeight)
        Fail(Local(path) + ": the picture is " + std::to_string(picture.width()) + " x " +
             std::to_string(picture.height()) + " pixels; cards are 88 x 130");
      cells[std::size_t(cell)] = picture;
      ++taken;
      break;
    }
  }
  if (taken == 0) Fail(Local(dir) + ": no pictures named by sheet cell (e.g. 03.png) found");
}

struct MakeOptions {
  QString out, variant = "pc-direct", from;
  std::optional<unsigned> planes;
  bool ham = false;
};

MakeOptions ParseMake(const QStringList& args) {
  MakeOptions options;
  options.out = args.value(0);
  for (int i = 1; i < args.size(); ++i) {
    const QString& a = args[i];
    auto value = [&]() -> QString {
      if (i + 1 >= args.size()) Fail("option " + Local(a) + " needs a value");
      return args[++i];
    };
    if (a == "--variant") {
      options.variant = value();
      if (options.variant != "pc-direct" && options.variant != "pc-indexed" &&
          options.variant != "planar" && options.variant != "svg")
        Fail("unknown variant \"" + Local(options.variant) +
             "\" (pc-direct, pc-indexed, planar or svg)");
    } else if (a == "--planes") {
      bool ok = false;
      const unsigned n = value().toUInt(&ok);
      if (!ok || n < 1 || n > 8) Fail("--planes takes a number from 1 to 8");
      options.planes = n;
    } else if (a == "--ham") {
      options.ham = true;
    } else if (a == "--from") {
      options.from = value();
    } else {
      Fail("unknown option \"" + Local(a) + "\"");
    }
  }
  const bool planar = options.variant == "planar";
  if (!planar && (options.planes || options.ham))
    Fail("--planes and --ham apply to planar sets only");
  if (options.ham && options.planes.value_or(8) != 6 && options.planes.value_or(8) != 8)
    Fail("HAM needs 6 or 8 planes");
  if (options.variant == "svg" && !options.from.isEmpty())
    Fail("--from applies to card-set files only");
  return options;
}

void WriteWhole(const QString& out, const char* bytes, qint64 size) {
  QSaveFile file(out);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes, size) != size || !file.commit())
    Fail(Local(out) + ": cannot write: " + Local(file.errorString()));
}

int Make(const QStringList& args) {
  if (args.isEmpty() || args[0].startsWith("--")) return Usage();
  const MakeOptions options = ParseMake(args);
  const cardset::DeckScheme scheme;
  if (options.variant == "svg") {
    const QByteArray svg = cardset::WriteSvgDeck(scheme);
    WriteWhole(options.out, svg.constData(), svg.size());
    return 0;
  }
  std::vector<QImage> pictures = cardset::PaintDeck(scheme);
  if (!options.from.isEmpty()) TakePictures(pictures, options.from);
  std::vector<cards::CardImage> cells;
  for (const QImage& picture : pictures) cells.push_back(ToCardImage(picture));

  std::vector<std::uint8_t> bytes;
  if (options.variant == "planar") {
    cards::PlanarOptions planar;
    planar.depth = options.planes.value_or(8);
    planar.ham = options.ham;
    planar.tableColour = ToRgb(scheme.table);
    planar.outlineColour = ToRgb(scheme.outline);
    planar.selectColour = ToRgb(scheme.select);
    bytes = cards::EncodePlanarSet(cells, planar);
  } else {
    bytes = cards::EncodePcSet(std::span(cells).subspan(2), options.variant == "pc-indexed");
  }
  WriteWhole(options.out, reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
  return 0;
}

int Icon(const QString& size, const QString& out) {
  bool ok = false;
  const int pixels = size.toInt(&ok);
  if (!ok || pixels < 16 || pixels > 1024) Fail("icon size must be 16 to 1024 pixels");
  SavePng(cardset::DrawAppIcon(pixels), out);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Drawing needs fonts but never a display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QStringList args = QCoreApplication::arguments().mid(1);
  if (args.isEmpty()) return Usage();
  const QString command = args.takeFirst();
  try {
    if (command == "info" && args.size() == 1) return Info(args[0]);
    if (command == "sheet" && args.size() == 2) return Sheet(args[0], args[1]);
    if (command == "preview" && args.size() == 2) return Preview(args[0], args[1]);
    if (command == "make") return Make(args);
    if (command == "icon" && args.size() == 2) return Icon(args[0], args[1]);
  } catch (const std::exception& e) {
    Fail(e.what());
  }
  return Usage();
}
