#include "cards/card_set_decode.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace cards {

void RgbTarget::fillBlack() const {
  for (int y = 0; y < kCardHeight; ++y) std::memset(row(y), 0, kCardRowBytes);
}

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

// 5-bit components times 8: red in bits 10..14, green 5..9, blue 0..4; bit 15 ignored.
Rgb FromColourWord(std::uint16_t word) {
  return {std::uint8_t((word >> 10 & 31) * 8), std::uint8_t((word >> 5 & 31) * 8),
          std::uint8_t((word & 31) * 8)};
}

std::uint16_t LittleEndian16(const std::uint8_t* p) { return std::uint16_t(p[0] | p[1] << 8); }

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

// What a planar pixel value does to the running colour (packed red | green << 8 | blue << 16):
// running = (running & keep[value]) | set[value]. A palette value replaces all of it, a HAM
// modify step one component; tables instead of branches keep the pixel loop fast.
struct PixelRule {
  std::array<std::uint32_t, 256> keep{}, set{};
};

PixelRule MakePixelRule(const std::array<Rgb, 256>& palette, unsigned planes, bool ham) {
  PixelRule rule;
  const HamRule hamRule = hamRuleFor(planes);
  constexpr std::uint32_t kKeepAllBut[4] = {0, 0x00FFFF, 0xFFFF00,
                                            0xFF00FF};  // -, blue, red, green
  constexpr unsigned kComponentShift[4] = {0, 16, 0, 8};
  for (unsigned value = 0; value < 256; ++value) {
    const unsigned control = ham ? value >> hamRule.controlShift & 3 : 0;
    rule.keep[value] = kKeepAllBut[control];
    rule.set[value] = control == 0 ? colourValue(palette[value])
                                   : ((value & hamRule.dataMask) * hamRule.scale)
                                         << kComponentShift[control];
  }
  return rule;
}

void DecodePlanarRows(const RgbTarget& target, const std::uint8_t* data, unsigned planes,
                      std::uint32_t startColour, const PixelRule& rule) {
  const std::size_t rowBytes = kPlaneRowBytes * planes;
  for (int y = 0; y < kCardHeight; ++y, data += rowBytes) {
    std::uint8_t* out = target.row(y);
    std::uint32_t running = startColour;
    for (std::size_t k = 0; k < kPlaneRowBytes; ++k) {
      std::uint64_t values = 0;
      for (unsigned p = 0; p < planes; ++p) values |= kSpread[data[p * kPlaneRowBytes + k]] << p;
      for (int pixel = 0; pixel < 8; ++pixel, values >>= 8, out += 3) {
        const unsigned value = unsigned(values & 0xFF);
        running = (running & rule.keep[value]) | rule.set[value];
        out[0] = std::uint8_t(running);
        out[1] = std::uint8_t(running >> 8);
        out[2] = std::uint8_t(running >> 16);
      }
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

bool decodePcImage(const RgbTarget& target, ByteView file, int imageIndex, bool indexed) {
  const std::uint64_t record = pcRecordOffset(imageIndex, indexed);
  const std::uint64_t recordSize = indexed ? kPcIndexedRecordSize : kPcDirectRecordSize;
  if (imageIndex < 0 || !Holds(file, record, recordSize)) {
    target.fillBlack();
    return false;
  }
  const std::uint8_t* data = file.data() + record + 4;
  auto write = [](std::uint8_t* out, Rgb c) {
    out[0] = c.r;
    out[1] = c.g;
    out[2] = c.b;
  };
  if (!indexed) {
    for (int y = 0; y < kCardHeight; ++y) {
      std::uint8_t* out = target.row(y);
      for (int x = 0; x < kCardWidth; ++x, data += 2, out += 3)
        write(out, FromColourWord(LittleEndian16(data)));
    }
    return true;
  }
  std::array<Rgb, 256> palette;
  for (std::size_t i = 0; i < palette.size(); ++i)
    palette[i] = FromColourWord(LittleEndian16(data + 2 * i));
  data += 2 * palette.size();
  for (int y = 0; y < kCardHeight; ++y) {
    std::uint8_t* out = target.row(y);
    for (int x = 0; x < kCardWidth; ++x, out += 3) write(out, palette[*data++]);
  }
  return true;
}

bool decodePlanarImage(const RgbTarget& target, ByteView file, int imageIndex, unsigned paletteSize,
                       unsigned planes, bool ham, std::uint32_t stride) {
  PlanarHeader layout;  // only the fields that place the image
  layout.stride = stride;
  layout.planes = std::min(planes, 8u);
  layout.paletteSize = std::min(paletteSize, 256u);
  const std::uint64_t start = layout.imageOffset(unsigned(std::max(imageIndex, 0)));
  if (imageIndex < 0 || (ham && layout.planes < 2) || !Holds(file, start, layout.imageDataSize())) {
    target.fillBlack();
    return false;
  }
  std::array<Rgb, 256> palette{};  // entries beyond the palette stay black
  for (unsigned i = 0; i < layout.paletteSize; ++i) palette[i] = RgbAt(file, kHeaderSize + 3 * i);
  DecodePlanarRows(target, file.data() + start, layout.planes, colourValue(palette[0]),
                   MakePixelRule(palette, layout.planes, ham));
  return true;
}

CardSetInfo buildCardSheet(ByteView file, CardSheet& sheet) {
  std::fill(sheet.rgb.begin(), sheet.rgb.end(), std::uint8_t(0));
  CardSetInfo info;
  const CardSetVariant variant = detectVariant(file);
  if (variant == CardSetVariant::PcDirect || variant == CardSetVariant::PcIndexed) {
    info.hasSheet = true;
    info.format = '0';
    for (int cell = 2; cell <= 58; ++cell)
      decodePcImage(sheet.cell(cell), file, cell - 2, variant == CardSetVariant::PcIndexed);
  } else if (variant == CardSetVariant::Planar) {
    const PlanarHeader h = readPlanarHeader(file);
    info.hasSheet = true;
    info.format = '1';
    info.amigaTableColour = colourValue(h.tableColour);
    info.amigaSelectColour = colourValue(h.selectColour);
    for (unsigned i = 0; i < h.imagesUsed; ++i)
      decodePlanarImage(sheet.cell(int(i)), file, int(i), h.paletteSize, h.planes, h.ham, h.stride);
    if (h.imagesUsed < unsigned(kMaxPlanarImages)) {
      // Too few images for the foundation markers: image 0 stands in for all four.
      const RgbTarget marker = sheet.cell(55);
      decodePlanarImage(marker, file, 0, h.paletteSize, h.planes, h.ham, h.stride);
      for (int cell = 56; cell <= 58; ++cell)
        sheet.cell(cell).copyFrom(marker.pixels, marker.rowBytes);
    }
  }
  return info;
}

bool buildCardPreview(ByteView file, CardImage& preview) {
  const RgbTarget target = preview.target();
  switch (detectVariant(file)) {
    case CardSetVariant::PcDirect: decodePcImage(target, file, 1, false); return true;
    case CardSetVariant::PcIndexed: decodePcImage(target, file, 1, true); return true;
    case CardSetVariant::Planar: {
      const PlanarHeader h = readPlanarHeader(file);
      decodePlanarImage(target, file, 3, h.paletteSize, h.planes, h.ham, h.stride);
      return true;
    }
    case CardSetVariant::None: break;
  }
  target.fillBlack();
  return false;
}

}  // namespace cards
