#pragma once
// The table's colours. A colour value is 32 bits with red in the low byte, then green, blue and a
// zero top byte; the lighter shades of the table are plain 32-bit additions on that value, so a
// carry out of one component runs into the next one and nothing is clamped.
#include <QColor>
#include <cstdint>

namespace cards {

constexpr std::uint32_t kEmptyPlaceShift = 0x101010;  // fill of an empty place
constexpr std::uint32_t kHighlightShift = 0x202020;   // Quatro target places

constexpr std::uint32_t shiftedColour(std::uint32_t colour, std::uint32_t shift) {
  return colour + shift;  // wraps like the 32-bit addition it is
}

inline QColor toQColor(std::uint32_t colour) {
  return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

inline std::uint32_t fromQColor(const QColor& c) {
  return std::uint32_t(c.red()) | std::uint32_t(c.green()) << 8 | std::uint32_t(c.blue()) << 16;
}

// The colours the table is painted with, after choosing between the player's colours and the
// loaded set's own (the Amiga scheme, in force only for a planar set).
struct TableColours {
  std::uint32_t table = 0;       // background, corner pixels of the sheet, base of the highlight
  std::uint32_t selection = 0;   // selection frame
  std::uint32_t emptyPlace = 0;  // player's table colour + 0x101010 (also in the Amiga scheme)
  bool amigaEmptyPlace = false;  // empty places are the set's own sheet cell 1
};

// colB, colL: the player's colours; amigaOn: the menu check mark; planarSet: format '1'.
inline TableColours resolveColours(std::uint32_t colB, std::uint32_t colL, bool amigaOn,
                                   bool planarSet, std::uint32_t amigaTable,
                                   std::uint32_t amigaSelect) {
  const bool scheme = amigaOn && planarSet;
  return {scheme ? amigaTable : colB, scheme ? amigaSelect : colL,
          shiftedColour(colB, kEmptyPlaceShift), scheme};
}

}  // namespace cards
