#include "cards/card_set_decode.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <utility>

namespace cards {

void RgbTarget::copyFrom(const std::uint8_t* source, std::size_t sourceRowBytes) const {
  for (int y = 0; y < kCardHeight; ++y, source += sourceRowBytes)
    std::memcpy(row(y), source, kCardRowBytes);
}

CardImage CardSheet::cellImage(int c) const {
  CardImage image;
  image.target().copyFrom(rgb.data() + cellOffset(c), kSheetRowBytes);
  return image;
}

namespace {

constexpr char kPcMagic[] = "PCTAVI";
constexpr char kPlanarMagic[] = "TAVI";

// Header bytes beyond the bytes read read as zero, as from a zero-filled buffer.
std::uint8_t ByteAt(ByteView file, std::size_t offset) {
  return offset < file.size() ? file[offset] : 0;
}

std::uint32_t BigEndian32(ByteView file, std::size_t offset) {
  return std::uint32_t(ByteAt(file, offset)) << 24 | std::uint32_t(ByteAt(file, offset + 1)) << 16 |
         std::uint32_t(ByteAt(file, offset + 2)) << 8 | ByteAt(file, offset + 3);
}

Rgb RgbAt(ByteView file, std::size_t offset) {
  return {ByteAt(file, offset), ByteAt(file, offset + 1), ByteAt(file, offset + 2)};
}

bool StartsWith(ByteView file, const char* magic) {
  const std::size_t length = std::strlen(magic);
  return file.size() >= length && std::memcmp(file.data(), magic, length) == 0;
}

bool Holds(ByteView file, std::uint64_t offset, std::uint64_t size) {
  return offset <= file.size() && size <= file.size() - offset;
}

// 5-bit components times 8: red in bits 10..14, green 5..9, blue 0..4; bit 15 ignored. Shifts
// instead of a table let a row loop run on vector registers, and the two 16-bit halves of the
// result (0xffRR, 0xGGBB) take fewer of them than three components placed one by one.
constexpr std::uint32_t ArgbFromColourWord(std::uint16_t word) {
  const auto alphaRed = std::uint16_t(0xFF00 | (word >> 7 & 0x00F8));
  const auto greenBlue = std::uint16_t((word << 6 & 0xF800) | (word << 3 & 0x00F8));
  return std::uint32_t(alphaRed) << 16 | greenBlue;
}

constexpr std::uint32_t kBlack = opaqueArgb({});

// The decoder computes every pixel as an opaque 0xffRRGGBB word; pixel x of a target row keeps
// it as three bytes (red, green, blue) or as the word itself.
void Put(std::uint8_t* row, std::size_t x, std::uint32_t argb) {
  row[3 * x] = std::uint8_t(argb >> 16);
  row[3 * x + 1] = std::uint8_t(argb >> 8);
  row[3 * x + 2] = std::uint8_t(argb);
}
void Put(std::uint32_t* row, std::size_t x, std::uint32_t argb) { row[x] = argb; }

// Pixels x and x + 1; one store for both words where the byte order allows.
void PutTwo(std::uint8_t* row, std::size_t x, std::uint32_t first, std::uint32_t second) {
  Put(row, x, first);
  Put(row, x + 1, second);
}
void PutTwo(std::uint32_t* row, std::size_t x, std::uint32_t first, std::uint32_t second) {
  if constexpr (std::endian::native == std::endian::little) {
    const std::uint64_t both = first | std::uint64_t(second) << 32;
    std::memcpy(row + x, &both, sizeof both);
  } else {
    row[x] = first;
    row[x + 1] = second;
  }
}

// How a target keeps its pixels: bytes or words per pixel, and each of them in a black pixel.
template <class Target>
struct PixelUnits;
template <>
struct PixelUnits<RgbTarget> {
  static constexpr std::size_t kPerPixel = 3;
  static constexpr std::uint8_t kBlack = 0;
};
template <>
struct PixelUnits<Rgb32Target> {
  static constexpr std::size_t kPerPixel = 1;
  static constexpr std::uint32_t kBlack = cards::kBlack;
};

// One black row, copied to the others.
template <class Target>
void FillBlack(const Target& target) {
  using Units = PixelUnits<Target>;
  constexpr std::size_t kRowUnits = kCardWidth * Units::kPerPixel;
  std::fill_n(target.row(0), kRowUnits, Units::kBlack);
  for (int y = 1; y < kCardHeight; ++y) std::copy_n(target.row(0), kRowUnits, target.row(y));
}

template <class Target>
void CopyPicture(const Target& from, const Target& to) {
  for (int y = 0; y < kCardHeight; ++y)
    std::copy_n(from.row(y), kCardWidth * PixelUnits<Target>::kPerPixel, to.row(y));
}

std::uint16_t LittleEndian16(const std::uint8_t* p) {
  if constexpr (std::endian::native == std::endian::little) {
    std::uint16_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
  }
  return std::uint16_t(p[0] | p[1] << 8);
}

// One row of colour words. The rows never overlap; saying so lets the loop run on vector
// registers.
template <class Pixel>
void ColourWordRow(const std::uint8_t* __restrict words, Pixel* __restrict out) {
  for (std::size_t x = 0; x < kCardWidth; ++x)
    Put(out, x, ArgbFromColourWord(LittleEndian16(words + 2 * x)));
}

// One row of palette indices.
template <class Pixel>
void PaletteRow(const std::uint8_t* indices, const std::uint32_t* palette, Pixel* out) {
  static_assert(kCardWidth % 2 == 0);
  for (std::size_t x = 0; x < kCardWidth; x += 2)
    PutTwo(out, x, palette[indices[x]], palette[indices[x + 1]]);
}

template <class Target>
void DecodePcRows(const Target& target, const std::uint8_t* data, bool indexed) {
  if (!indexed) {
    for (int y = 0; y < kCardHeight; ++y, data += 2 * kCardWidth)
      ColourWordRow(data, target.row(y));
    return;
  }
  std::array<std::uint32_t, 256> palette;
  for (std::size_t i = 0; i < palette.size(); ++i)
    palette[i] = ArgbFromColourWord(LittleEndian16(data + 2 * i));
  data += 2 * palette.size();
  for (int y = 0; y < kCardHeight; ++y, data += kCardWidth)
    PaletteRow(data, palette.data(), target.row(y));
}

// Spreads the 8 bits of a plane byte over the 8 bytes of a word, the leftmost pixel (most
// significant bit) into the lowest byte, so that the planes of 8 pixels combine with shifts.
constexpr std::array<std::uint64_t, 256> MakeSpreadTable() {
  std::array<std::uint64_t, 256> table{};
  for (unsigned value = 0; value < 256; ++value)
    for (unsigned pixel = 0; pixel < 8; ++pixel)
      if (value & (0x80u >> pixel)) table[value] |= std::uint64_t(1) << (8 * pixel);
  return table;
}
constexpr std::array<std::uint64_t, 256> kSpread = MakeSpreadTable();

// The pixel values of one image, row after row.
using ChunkyImage = std::array<std::uint8_t, std::size_t(kCardWidth) * kCardHeight>;

// The values of the 8 pixels of column byte `column`: the plane rows lie kPlaneRowBytes apart.
template <std::size_t... kPlane>
std::uint64_t EightValues(const std::uint8_t* column, std::index_sequence<kPlane...>) {
  return (std::uint64_t(0) | ... | (kSpread[column[kPlane * kPlaneRowBytes]] << kPlane));
}

// Bit p of value x is bit x of plane row p; rows of kPlanes plane rows follow each other.
template <unsigned kPlanes>
void PlanarToChunky(const std::uint8_t* data, ChunkyImage& values) {
  std::uint8_t* out = values.data();
  for (int y = 0; y < kCardHeight; ++y, data += kPlanes * kPlaneRowBytes)
    for (std::size_t k = 0; k < kPlaneRowBytes; ++k, out += 8) {
      const std::uint64_t eight = EightValues(data + k, std::make_index_sequence<kPlanes>());
      if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(out, &eight, sizeof eight);
      } else {
        for (std::size_t i = 0; i < 8; ++i) out[i] = std::uint8_t(eight >> (8 * i));
      }
    }
}

// One conversion per plane count (0..8), so that the plane loop unrolls.
template <std::size_t... kPlanes>
constexpr auto MakeChunkyConverters(std::index_sequence<kPlanes...>) {
  return std::array{&PlanarToChunky<kPlanes>...};
}
constexpr auto kPlanarToChunky = MakeChunkyConverters(std::make_index_sequence<9>());

// What a HAM pixel value does to the running colour (an opaque 0xffRRGGBB word): running =
// (running & keep[value]) | set[value]. A palette value replaces all of it, a modify step one
// component; tables instead of branches keep the pixel loop fast.
struct HamTables {
  std::array<std::uint32_t, 256> keep, set;

  std::uint32_t apply(std::uint8_t value, std::uint32_t running) const {
    return (running & keep[value]) | set[value];
  }
};

HamTables MakeHamTables(const std::array<std::uint32_t, 256>& palette, unsigned planes) {
  HamTables tables;
  const HamRule rule = hamRuleFor(planes);
  constexpr std::uint32_t kKeepAllBut[4] = {0, 0xFFFFFF00, 0xFF00FFFF,
                                            0xFFFF00FF};  // -, blue, red, green
  constexpr unsigned kComponentShift[4] = {0, 0, 16, 8};
  for (unsigned value = 0; value < 256; ++value) {
    const unsigned control = value >> rule.controlShift & 3;
    tables.keep[value] = kKeepAllBut[control];
    tables.set[value] = control == 0
                            ? palette[value]
                            : ((value & rule.dataMask) * rule.scale) << kComponentShift[control];
  }
  return tables;
}

template <class Target>
void DecodePlanarRows(const Target& target, const std::uint8_t* data, unsigned planes, bool ham,
                      const std::array<std::uint32_t, 256>& palette) {
  ChunkyImage values;
  kPlanarToChunky[planes](data, values);
  if (!ham) {
    for (int y = 0; y < kCardHeight; ++y)
      PaletteRow(values.data() + std::size_t(y) * kCardWidth, palette.data(), target.row(y));
    return;
  }
  // Every row starts from palette entry 0. The colour runs from pixel to pixel within a row, so
  // two rows go side by side and fill each other's waits.
  static_assert(kCardHeight % 2 == 0);
  const HamTables tables = MakeHamTables(palette, planes);
  for (int y = 0; y < kCardHeight; y += 2) {
    const std::uint8_t* upper = values.data() + std::size_t(y) * kCardWidth;
    const std::uint8_t* lower = upper + kCardWidth;
    auto* upperOut = target.row(y);
    auto* lowerOut = target.row(y + 1);
    std::uint32_t upperColour = palette[0], lowerColour = palette[0];
    for (std::size_t x = 0; x < kCardWidth; ++x) {
      upperColour = tables.apply(upper[x], upperColour);
      lowerColour = tables.apply(lower[x], lowerColour);
      Put(upperOut, x, upperColour);
      Put(lowerOut, x, lowerColour);
    }
  }
}

}  // namespace

CardSetVariant detectVariant(ByteView file) {
  if (StartsWith(file, kPcMagic))
    return ByteAt(file, 20) == 16 ? CardSetVariant::PcDirect : CardSetVariant::PcIndexed;
  if (StartsWith(file, kPlanarMagic)) return CardSetVariant::Planar;
  return CardSetVariant::None;
}

std::uint64_t pcRecordOffset(int index, bool indexed) {
  return kHeaderSize +
         std::uint64_t(index) * (indexed ? kPcIndexedRecordSize : kPcDirectRecordSize);
}

unsigned planarPaletteSize(unsigned depth, bool ham) {
  if (ham) return depth < 2 ? 1 : 1u << std::min(depth - 2, 8u);
  return 1u << std::min(depth, 8u);
}

std::uint64_t PlanarHeader::imageOffset(unsigned index) const {
  return kHeaderSize + 3 * std::uint64_t(paletteSize) + std::uint64_t(index) * stride;
}

std::uint64_t PlanarHeader::imageDataSize() const {
  return kPlaneRowBytes * planes * std::uint64_t(kCardHeight);
}

PlanarHeader readPlanarHeader(ByteView file) {
  PlanarHeader header;
  header.stride = BigEndian32(file, 8);
  header.modeFlags = BigEndian32(file, 16);
  header.ham = (header.modeFlags & kHamFlag) != 0;
  header.depth = ByteAt(file, 20);
  header.planes = std::min(header.depth, 8u);
  header.paletteSize = planarPaletteSize(header.depth, header.ham);
  header.imageCount = ByteAt(file, 21);
  header.imagesUsed = std::min(header.imageCount, unsigned(kMaxPlanarImages));
  header.tableColour = RgbAt(file, kHeaderSize);
  header.selectColour = RgbAt(file, kHeaderSize + 6);
  return header;
}

std::uint64_t promisedSize(ByteView file) {
  switch (detectVariant(file)) {
    case CardSetVariant::PcDirect: return pcRecordOffset(kPcImageCount, false);
    case CardSetVariant::PcIndexed: return pcRecordOffset(kPcImageCount, true);
    case CardSetVariant::Planar: {
      const PlanarHeader header = readPlanarHeader(file);
      if (header.imageCount == 0) return header.imageOffset(0);
      return header.imageOffset(header.imageCount - 1) + header.imageDataSize();
    }
    case CardSetVariant::None: break;
  }
  return 0;
}

namespace {

template <class Target>
bool DecodePcImage(const Target& target, ByteView file, int imageIndex, bool indexed) {
  const std::uint64_t record = pcRecordOffset(imageIndex, indexed);
  const std::uint64_t recordSize = indexed ? kPcIndexedRecordSize : kPcDirectRecordSize;
  if (imageIndex < 0 || !Holds(file, record, recordSize)) {
    FillBlack(target);
    return false;
  }
  DecodePcRows(target, file.data() + record + 4, indexed);
  return true;
}

template <class Target>
bool DecodePlanarImage(const Target& target, ByteView file, int imageIndex, unsigned paletteSize,
                       unsigned planes, bool ham, std::uint32_t stride) {
  PlanarHeader layout;  // only the fields that place the image
  layout.stride = stride;
  layout.planes = std::min(planes, 8u);
  layout.paletteSize = std::min(paletteSize, 256u);
  const std::uint64_t start = layout.imageOffset(unsigned(std::max(imageIndex, 0)));
  if (imageIndex < 0 || (ham && layout.planes < 2) || !Holds(file, start, layout.imageDataSize())) {
    FillBlack(target);
    return false;
  }
  std::array<std::uint32_t, 256> palette;
  palette.fill(kBlack);  // entries beyond the palette stay black
  for (unsigned i = 0; i < layout.paletteSize; ++i)
    palette[i] = opaqueArgb(RgbAt(file, kHeaderSize + 3 * i));
  DecodePlanarRows(target, file.data() + start, layout.planes, ham, palette);
  return true;
}

template <class Sheet>
CardSetInfo BuildCardSheet(ByteView file, Sheet& sheet) {
  std::array<bool, kSheetCells> filled{};
  const auto fill = [&](int cell) {
    filled[std::size_t(cell)] = true;
    return sheet.cell(cell);
  };
  CardSetInfo info;
  const CardSetVariant variant = detectVariant(file);
  if (variant == CardSetVariant::PcDirect || variant == CardSetVariant::PcIndexed) {
    info.hasSheet = true;
    info.format = CardSetFormat::Pc;
    for (int cell = 2; cell <= 58; ++cell)
      DecodePcImage(fill(cell), file, cell - 2, variant == CardSetVariant::PcIndexed);
  } else if (variant == CardSetVariant::Planar) {
    const PlanarHeader h = readPlanarHeader(file);
    info.hasSheet = true;
    info.format = CardSetFormat::Planar;
    info.amigaTableColour = colourValue(h.tableColour);
    info.amigaSelectColour = colourValue(h.selectColour);
    // Cells 55..58 are the foundation markers: a set of fewer images has none of its own, and
    // image 0 stands in for all four.
    constexpr int kFirstMarker = 55;
    const bool ownMarkers = h.imagesUsed == unsigned(kMaxPlanarImages);
    const int ownCells = ownMarkers ? kMaxPlanarImages : std::min(int(h.imagesUsed), kFirstMarker);
    for (int i = 0; i < ownCells; ++i)
      DecodePlanarImage(fill(i), file, i, h.paletteSize, h.planes, h.ham, h.stride);
    if (!ownMarkers) {
      const auto marker = fill(kFirstMarker);
      DecodePlanarImage(marker, file, 0, h.paletteSize, h.planes, h.ham, h.stride);
      for (int cell = kFirstMarker + 1; cell < kMaxPlanarImages; ++cell)
        CopyPicture(marker, fill(cell));
    }
  }
  // The sheet is written once: only the cells that no picture fills are cleared.
  for (int cell = 0; cell < kSheetCells; ++cell)
    if (!filled[std::size_t(cell)]) FillBlack(sheet.cell(cell));
  return info;
}

template <class Target>
bool BuildCardPreview(ByteView file, const Target& target) {
  switch (detectVariant(file)) {
    case CardSetVariant::PcDirect: DecodePcImage(target, file, 1, false); return true;
    case CardSetVariant::PcIndexed: DecodePcImage(target, file, 1, true); return true;
    case CardSetVariant::Planar: {
      const PlanarHeader h = readPlanarHeader(file);
      DecodePlanarImage(target, file, 3, h.paletteSize, h.planes, h.ham, h.stride);
      return true;
    }
    case CardSetVariant::None: break;
  }
  FillBlack(target);
  return false;
}

}  // namespace

bool decodePcImage(const RgbTarget& target, ByteView file, int imageIndex, bool indexed) {
  return DecodePcImage(target, file, imageIndex, indexed);
}

bool decodePlanarImage(const RgbTarget& target, ByteView file, int imageIndex, unsigned paletteSize,
                       unsigned planes, bool ham, std::uint32_t stride) {
  return DecodePlanarImage(target, file, imageIndex, paletteSize, planes, ham, stride);
}

CardSetInfo buildCardSheet(ByteView file, CardSheet& sheet) { return BuildCardSheet(file, sheet); }

CardSetInfo buildCardSheet(ByteView file, const Rgb32Sheet& sheet) {
  return BuildCardSheet(file, sheet);
}

bool buildCardPreview(ByteView file, CardImage& preview) {
  return BuildCardPreview(file, preview.target());
}

bool buildCardPreview(ByteView file, const Rgb32Target& preview) {
  return BuildCardPreview(file, preview);
}

}  // namespace cards
