#pragma once
// The table's colours. A colour value is 32 bits with red in the low byte, then green, blue and a
// zero top byte. The lighter shades of the table add a step to each component on its own and
// stop at 255, so a bright table never gives a shade of another hue.
#include <QColor>
#include <cstdint>

namespace cards {

constexpr std::uint32_t kEmptyPlaceShift = 0x101010;  // fill of an empty place
constexpr std::uint32_t kHighlightShift = 0x202020;   // Quatro target places

// `colour` lightened by `shift` (one step per component, as a colour value); every component
// stops at 255. Every lighter place of the table is computed here.
constexpr std::uint32_t shiftedColour(std::uint32_t colour, std::uint32_t shift) {
  std::uint32_t result = 0;
  for (int bits = 0; bits < 24; bits += 8) {
    const std::uint32_t sum = ((colour >> bits) & 0xFF) + ((shift >> bits) & 0xFF);
    result |= (sum < 0xFF ? sum : 0xFF) << bits;
  }
  return result;
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
  std::uint32_t emptyPlace = 0;  // player's table colour, lightened (also in the Amiga scheme)
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
