#pragma once
// Pictures and hand-made files for the card-set tests.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "cards/card_image.h"
#include "cards/card_set_decode.h"

namespace cards::testing {

// A picture that differs from every other `seed`: a gradient with the seed in its colours.
inline CardImage GradientPicture(int seed) {
  CardImage image;
  for (int y = 0; y < kCardHeight; ++y)
    for (int x = 0; x < kCardWidth; ++x)
      image.set(x, y,
                {std::uint8_t(x * 2 + seed * 3), std::uint8_t(y + seed * 7),
                 std::uint8_t(seed * 11 + (x ^ y))});
  return image;
}

inline std::vector<CardImage> GradientPictures(int count, int firstSeed = 0) {
  std::vector<CardImage> images;
  for (int i = 0; i < count; ++i) images.push_back(GradientPicture(firstSeed + i));
  return images;
}

// Random colours everywhere: as many distinct colours as pixels.
inline CardImage NoisePicture(unsigned seed) {
  std::mt19937 random(seed);
  CardImage image;
  for (auto& byte : image.rgb) byte = std::uint8_t(random());
  return image;
}

// A picture drawn from at most `colours` colours of `palette`, chosen at random per block of
// 4 x 4 pixels.
inline CardImage PalettePicture(const std::vector<Rgb>& palette, unsigned seed) {
  std::mt19937 random(seed);
  CardImage image;
  for (int by = 0; by < kCardHeight; by += 4)
    for (int bx = 0; bx < kCardWidth; bx += 4) {
      const Rgb c = palette[random() % palette.size()];
      for (int y = by; y < std::min(by + 4, kCardHeight); ++y)
        for (int x = bx; x < std::min(bx + 4, kCardWidth); ++x) image.set(x, y, c);
    }
  return image;
}

inline std::vector<Rgb> DistinctColours(std::size_t count, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<Rgb> colours;
  while (colours.size() < count) {
    const Rgb c{std::uint8_t(random()), std::uint8_t(random()), std::uint8_t(random())};
    if (std::find(colours.begin(), colours.end(), c) == colours.end()) colours.push_back(c);
  }
  return colours;
}

inline CardImage Reduced(CardImage image) {
  for (auto& byte : image.rgb) byte &= 0xF8;
  return image;
}

template <class Pixels>
bool AllZero(const Pixels& rgb) {
  return std::all_of(rgb.begin(), rgb.end(), [](std::uint8_t byte) { return byte == 0; });
}
inline bool IsBlack(const CardImage& image) { return AllZero(image.rgb); }

// The sheet that a file builds, and optionally what the decoder said about the file.
inline CardSheet DecodeSheet(ByteView file, CardSetInfo* info = nullptr) {
  CardSheet sheet;
  const CardSetInfo result = buildCardSheet(file, sheet);
  if (info) *info = result;
  return sheet;
}

// Whether `pixels`, a sheet in the table's pixel format, shows the pictures of `sheet`: every
// pixel the same colour and opaque. Names the first pixel that differs.
inline std::string Rgb32Mismatch(const std::vector<std::uint32_t>& pixels, const CardSheet& sheet) {
  for (int y = 0; y < kSheetHeight; ++y)
    for (int x = 0; x < kSheetWidth; ++x)
      if (pixels[std::size_t(y) * kSheetWidth + std::size_t(x)] != opaqueArgb(sheet.at(x, y)))
        return "pixel " + std::to_string(x) + "," + std::to_string(y);
  return {};
}

// The sheet in the table's pixel format, built over memory that held other pixels before.
inline std::vector<std::uint32_t> DecodeRgb32Sheet(ByteView file, CardSetInfo* info = nullptr) {
  std::vector<std::uint32_t> pixels(std::size_t(kSheetWidth) * kSheetHeight, 0x12345678);
  const CardSetInfo result = buildCardSheet(file, Rgb32Sheet{pixels.data(), kSheetWidth});
  if (info) *info = result;
  return pixels;
}

// Header words of the planar variant are big-endian.
inline void PutBigEndian32(std::vector<std::uint8_t>& file, std::size_t offset,
                           std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) file[offset + i] = std::uint8_t(value >> (24 - 8 * i));
}

// A planar file written independently of the encoder: header, palette and, per image, the
// pixel values spread over `depth` planes.
inline std::vector<std::uint8_t> HandMadePlanarFile(
    unsigned depth, bool ham, const std::vector<Rgb>& palette,
    const std::vector<std::vector<std::uint8_t>>& imageValues, std::uint32_t stride = 0,
    int storedCount = -1) {
  const std::size_t paletteSize = planarPaletteSize(depth, ham);
  const std::size_t planes = std::min(depth, 8u);
  if (stride == 0) stride = std::uint32_t(11 * planes * kCardHeight);
  std::vector<std::uint8_t> file(22 + 3 * paletteSize + stride * imageValues.size());
  std::memcpy(file.data(), "TAVI", 4);
  PutBigEndian32(file, 8, stride);
  if (ham) file[18] = 0x08;
  file[20] = std::uint8_t(depth);
  file[21] = std::uint8_t(storedCount >= 0 ? storedCount : int(imageValues.size()));
  for (std::size_t i = 0; i < palette.size() && i < paletteSize; ++i) {
    file[22 + 3 * i] = palette[i].r;
    file[23 + 3 * i] = palette[i].g;
    file[24 + 3 * i] = palette[i].b;
  }
  for (std::size_t n = 0; n < imageValues.size(); ++n) {
    std::uint8_t* image = file.data() + 22 + 3 * paletteSize + n * stride;
    for (int y = 0; y < kCardHeight; ++y)
      for (int x = 0; x < kCardWidth; ++x) {
        const std::uint8_t value = imageValues[n][std::size_t(y * kCardWidth + x)];
        for (std::size_t p = 0; p < planes; ++p)
          if (value >> p & 1)
            image[(std::size_t(y) * planes + p) * 11 + std::size_t(x / 8)] |=
                std::uint8_t(0x80 >> (x % 8));
      }
  }
  return file;
}

// Pixel values of one image: every pixel `value`, or the values given for the start of each
// row followed by `fill`.
inline std::vector<std::uint8_t> RowValues(std::vector<std::uint8_t> rowStart,
                                           std::uint8_t fill = 0) {
  std::vector<std::uint8_t> values(std::size_t(kCardWidth) * kCardHeight, fill);
  for (int y = 0; y < kCardHeight; ++y)
    for (std::size_t x = 0; x < rowStart.size(); ++x)
      values[std::size_t(y * kCardWidth) + x] = rowStart[x];
  return values;
}

inline std::vector<std::uint8_t> SolidValues(std::uint8_t value) { return RowValues({}, value); }

}  // namespace cards::testing
