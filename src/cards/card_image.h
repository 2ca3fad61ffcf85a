#pragma once
// Pictures of the card-set decoder: one 88 x 130 card picture and the 704 x 1040 card sheet of
// 8 x 8 cells, as plain 24-bit pixels (red, green, blue bytes) that the decoder owns, and the
// targets in the table's 32-bit pixel format in memory that the caller owns. Pixels are stored
// top row first, left to right.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "game/card.h"
#include "game/table_geometry.h"

namespace cards {

inline constexpr int kCardWidth = game::kCardWidth;
inline constexpr int kCardHeight = game::kCardHeight;
inline constexpr int kSheetColumns = 8;
inline constexpr int kSheetRows = 8;
inline constexpr int kSheetCells = kSheetColumns * kSheetRows;
inline constexpr int kSheetWidth = kCardWidth * kSheetColumns;  // 704
inline constexpr int kSheetHeight = kCardHeight * kSheetRows;   // 1040
inline constexpr std::size_t kCardRowBytes = kCardWidth * 3;    // 264
inline constexpr std::size_t kSheetRowBytes = kSheetWidth * 3;  // 2112

// What the sheet's cells hold: an empty place, the card back, the face of every card and the
// marker of each empty foundation.
inline constexpr int kCellEmptyPlace = 1;
inline constexpr int kCellCardBack = 2;
constexpr int faceCell(game::Card card) { return 3 + card.code; }
constexpr int foundationMarkerCell(int k) { return 55 + k; }

// Where cell c lies among the sheet's 8 x 8: cells fill the rows left to right, top row first.
struct CellPosition {
  int column, row;
};
constexpr CellPosition cellPosition(int c) { return {c % kSheetColumns, c / kSheetColumns}; }

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A colour value as the table keeps it: red in the low byte, then green, then blue.
constexpr std::uint32_t colourValue(Rgb c) {
  return std::uint32_t(c.r) | std::uint32_t(c.g) << 8 | std::uint32_t(c.b) << 16;
}

// Where one 88 x 130 picture is written: its top-left pixel and the distance between rows.
struct RgbTarget {
  std::uint8_t* pixels;
  std::size_t rowBytes;

  std::uint8_t* row(int y) const { return pixels + std::size_t(y) * rowBytes; }
  void put(int x, int y, Rgb c) const {
    std::uint8_t* p = row(y) + 3 * std::size_t(x);
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
  }
  // Copies an 88 x 130 picture whose rows lie `sourceRowBytes` apart.
  void copyFrom(const std::uint8_t* source, std::size_t sourceRowBytes) const;
};

// One card picture with its own pixels.
struct CardImage {
  std::array<std::uint8_t, kCardRowBytes * kCardHeight> rgb{};

  RgbTarget target() { return {rgb.data(), kCardRowBytes}; }
  Rgb at(int x, int y) const {
    const std::uint8_t* p = rgb.data() + std::size_t(y) * kCardRowBytes + 3 * std::size_t(x);
    return {p[0], p[1], p[2]};
  }
  void set(int x, int y, Rgb c) { target().put(x, y, c); }
  friend bool operator==(const CardImage&, const CardImage&) = default;
};

// The card sheet, its cells at cellPosition. Starts black.
struct CardSheet {
  std::vector<std::uint8_t> rgb = std::vector<std::uint8_t>(kSheetRowBytes * kSheetHeight);

  static std::size_t cellOffset(int c) {
    const CellPosition at = cellPosition(c);
    return std::size_t(at.row * kCardHeight) * kSheetRowBytes +
           std::size_t(at.column * kCardWidth) * 3;
  }
  RgbTarget cell(int c) { return {rgb.data() + cellOffset(c), kSheetRowBytes}; }
  Rgb at(int x, int y) const {
    const std::uint8_t* p = rgb.data() + std::size_t(y) * kSheetRowBytes + 3 * std::size_t(x);
    return {p[0], p[1], p[2]};
  }
  CardImage cellImage(int c) const;
};

// An opaque colour in the table's pixel format: the word 0xffRRGGBB (QImage::Format_RGB32).
constexpr std::uint32_t opaqueArgb(Rgb c) {
  return 0xFF000000u | std::uint32_t(c.r) << 16 | std::uint32_t(c.g) << 8 | c.b;
}

// Where one 88 x 130 picture is written in the table's pixel format, rows `rowPixels` words apart.
struct Rgb32Target {
  std::uint32_t* pixels;
  std::size_t rowPixels;

  std::uint32_t* row(int y) const { return pixels + std::size_t(y) * rowPixels; }
};

// The card sheet in the table's pixel format, in 704 x 1040 words that the caller owns (the sheet
// image), rows `rowPixels` words apart.
struct Rgb32Sheet {
  std::uint32_t* pixels;
  std::size_t rowPixels;

  Rgb32Target cell(int c) const {
    const CellPosition at = cellPosition(c);
    return {pixels + std::size_t(at.row * kCardHeight) * rowPixels +
                std::size_t(at.column * kCardWidth),
            rowPixels};
  }
};

}  // namespace cards
