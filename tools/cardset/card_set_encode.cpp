#include "tools/cardset/card_set_encode.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "cards/card_set_decode.h"
#include "tools/cardset/palette_choice.h"

namespace cards {
namespace {

void PutLittleEndian16(std::vector<std::uint8_t>& out, std::size_t at, std::uint16_t value) {
  out[at] = std::uint8_t(value & 0xFF);
  out[at + 1] = std::uint8_t(value >> 8);
}

void PutBigEndian32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + std::size_t(i)] = std::uint8_t(value >> (24 - 8 * i));
}

CardImage Reduced(const CardImage& image) {
  CardImage result = image;
  for (std::uint8_t& component : result.rgb) component &= 0xF8;
  return result;
}

void WriteIndexedRecord(std::vector<std::uint8_t>& out, std::size_t data, const CardImage& image) {
  const CardImage reduced = Reduced(image);
  const std::vector<Rgb> palette = ChoosePalette(CountColours({&reduced, 1}), 256);
  for (std::size_t i = 0; i < palette.size(); ++i)
    PutLittleEndian16(out, data + 2 * i, ToColourWord(palette[i]));
  NearestColour nearest(palette);
  std::size_t at = data + 512;
  for (int y = 0; y < kCardHeight; ++y)
    for (int x = 0; x < kCardWidth; ++x) out[at++] = nearest(reduced.at(x, y));
}

// The modify step's level nearest to a component.
std::uint8_t HamLevel(const HamRule& rule, std::uint8_t component) {
  return std::uint8_t(std::min<unsigned>(rule.dataMask, (component + rule.scale / 2) / rule.scale));
}

// Pixel values (one byte each, only the low `planes` bits used) of one picture.
std::vector<std::uint8_t> PixelValues(const CardImage& image, std::span<const Rgb> palette,
                                      const PlanarOptions& options, NearestColour& nearest) {
  std::vector<std::uint8_t> values;
  values.reserve(std::size_t(kCardWidth) * kCardHeight);
  for (int y = 0; y < kCardHeight; ++y) {
    if (options.ham) {
      const auto* row = reinterpret_cast<const Rgb*>(image.rgb.data() + y * kCardRowBytes);
      const std::vector<std::uint8_t> rowValues =
          EncodeHamRow(row, kCardWidth, palette, options.depth == 8);
      values.insert(values.end(), rowValues.begin(), rowValues.end());
    } else {
      for (int x = 0; x < kCardWidth; ++x) values.push_back(nearest(image.at(x, y)));
    }
  }
  return values;
}

// Spreads pixel values over bitplanes: per row, plane 0 first, 11 bytes per plane row, the
// leftmost pixel in the most significant bit.
void WritePlanes(std::vector<std::uint8_t>& out, std::size_t at,
                 const std::vector<std::uint8_t>& values, unsigned planes) {
  for (int y = 0; y < kCardHeight; ++y)
    for (unsigned p = 0; p < planes; ++p)
      for (std::size_t k = 0; k < kPlaneRowBytes; ++k) {
        std::uint8_t byte = 0;
        for (int bit = 0; bit < 8; ++bit)
          if (values[std::size_t(y) * kCardWidth + 8 * k + std::size_t(bit)] >> p & 1)
            byte |= std::uint8_t(0x80 >> bit);
        out[at++] = byte;
      }
}

}  // namespace

static_assert(sizeof(Rgb) == 3, "a picture row is read as an array of Rgb");

std::uint16_t ToColourWord(Rgb c) {
  return std::uint16_t((c.r >> 3) << 10 | (c.g >> 3) << 5 | (c.b >> 3));
}

std::vector<std::uint8_t> EncodePcSet(std::span<const CardImage> images, bool indexed) {
  if (images.size() > std::size_t(kPcImageCount))
    throw std::invalid_argument("a PC set holds at most 57 images");
  std::vector<std::uint8_t> out(pcRecordOffset(int(images.size()), indexed));
  std::memcpy(out.data(), "PCTAVI", 6);
  out[20] = indexed ? 8 : 16;
  out[21] = std::uint8_t(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const std::size_t data = pcRecordOffset(int(i), indexed) + 4;
    if (indexed) {
      WriteIndexedRecord(out, data, images[i]);
      continue;
    }
    for (int y = 0; y < kCardHeight; ++y)
      for (int x = 0; x < kCardWidth; ++x)
        PutLittleEndian16(out, data + 2 * (std::size_t(y) * kCardWidth + std::size_t(x)),
                          ToColourWord(images[i].at(x, y)));
  }
  return out;
}

std::vector<std::uint8_t> EncodeHamRow(const Rgb* row, int width, std::span<const Rgb> palette,
                                       bool eightPlanes) {
  const HamRule rule = hamRuleFor(eightPlanes ? 8 : 6);
  const unsigned paletteEntries = std::min<std::size_t>(palette.size(), rule.dataMask + 1);
  std::vector<std::uint8_t> values(static_cast<std::size_t>(width));
  Rgb running = palette[0];
  for (int x = 0; x < width; ++x) {
    const Rgb want = row[x];
    unsigned bestValue = 0;
    Rgb bestColour = palette[0];
    int bestError = SquaredDistance(want, palette[0]);
    auto consider = [&](unsigned value, Rgb colour) {
      const int error = SquaredDistance(want, colour);
      if (error < bestError) bestError = error, bestValue = value, bestColour = colour;
    };
    for (unsigned i = 1; i < paletteEntries; ++i) consider(i, palette[i]);
    const std::uint8_t blue = HamLevel(rule, want.b), red = HamLevel(rule, want.r),
                       green = HamLevel(rule, want.g);
    consider(1u << rule.controlShift | blue,
             {running.r, running.g, std::uint8_t(blue * rule.scale)});
    consider(2u << rule.controlShift | red, {std::uint8_t(red * rule.scale), running.g, running.b});
    consider(3u << rule.controlShift | green,
             {running.r, std::uint8_t(green * rule.scale), running.b});
    values[std::size_t(x)] = std::uint8_t(bestValue);
    running = bestColour;
  }
  return values;
}

std::vector<std::uint8_t> EncodePlanarSet(std::span<const CardImage> images,
                                          const PlanarOptions& options) {
  if (options.depth < 1 || options.depth > 8) throw std::invalid_argument("planes must be 1..8");
  if (options.ham && options.depth != 6 && options.depth != 8)
    throw std::invalid_argument("HAM needs 6 or 8 planes");
  if (images.size() > 255) throw std::invalid_argument("a planar set holds at most 255 images");
  const std::uint32_t tight = std::uint32_t(kPlaneRowBytes * options.depth * kCardHeight);
  if (options.stride != 0 && options.stride < tight)
    throw std::invalid_argument("stride too small for the pictures");
  const std::uint32_t stride = options.stride != 0 ? options.stride : tight;
  const unsigned paletteSize = planarPaletteSize(options.depth, options.ham);

  const Rgb fixed[] = {options.tableColour, options.outlineColour, options.selectColour};
  const std::vector<Rgb> palette = ChoosePalette(CountColours(images), paletteSize, fixed);

  const std::size_t paletteEnd = kHeaderSize + 3 * std::size_t(paletteSize);
  std::vector<std::uint8_t> out(paletteEnd + std::size_t(stride) * images.size());
  std::memcpy(out.data(), "TAVI", 4);
  PutBigEndian32(out, 8, stride);
  PutBigEndian32(out, 16, options.ham ? kHamFlag : 0);
  out[20] = std::uint8_t(options.depth);
  out[21] = std::uint8_t(images.size());
  for (std::size_t i = 0; i < palette.size(); ++i) {
    out[kHeaderSize + 3 * i] = palette[i].r;
    out[kHeaderSize + 3 * i + 1] = palette[i].g;
    out[kHeaderSize + 3 * i + 2] = palette[i].b;
  }
  NearestColour nearest(palette);
  for (std::size_t i = 0; i < images.size(); ++i)
    WritePlanes(out, paletteEnd + i * stride, PixelValues(images[i], palette, options, nearest),
                options.depth);
  return out;
}

}  // namespace cards
