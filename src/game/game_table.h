#pragma once
// The one game-state record of the table window: Klondike piles, the Quatro grid, selection and
// drag state, layout and score counters. Plain data; the rules in game_engine.* change it and the
// table painter reads it.
#include <cstdint>

#include "game/table_geometry.h"

namespace game {

// Card code: 0..51 face up (rank * 4 + suit, rank 0 Ace .. 12 King), value + 64 face down, 255
// empty.
constexpr std::uint8_t kEmpty = 255;
constexpr std::uint8_t kFaceDown = 64;  // added to a card's value while it lies face down

inline bool isFaceDown(std::uint8_t code) { return code >= kFaceDown; }
// A face-down card (a code that is neither a card nor empty is no card back).
inline bool isCardBack(std::uint8_t code) { return code >= kFaceDown && code < 2 * kFaceDown; }
inline bool isOccupied(std::uint8_t code) { return code < kEmpty; }
inline int rankOf(std::uint8_t value) { return value >> 2; }
inline int suitOf(std::uint8_t value) { return value & 3; }
// Quatro's rank number: Ace 1 .. Ten 10, Jack 11, Queen 12, King 13.
inline int rankNumber(std::uint8_t value) { return (value + 4) >> 2; }

// Sheet cells of the card sheet (88 x 130 images, 8 to a row).
constexpr int kCellEmptyPlace = 1;
constexpr int kCellCardBack = 2;
inline int faceCell(std::uint8_t value) { return 3 + value; }
inline int foundationMarkerCell(int k) { return 55 + k; }

// What the player has picked up (both rule sets).
enum class Selection : std::uint8_t { None, PickedUp, SeekingFoundation };

struct GameTable {
  // Klondike piles
  std::uint8_t tableau[kColumns][kRows];  // column-major, row 0 is the top card of a column
  std::uint8_t stock[52];
  std::int8_t stockCount = 0;  // < 1 means empty; may become negative by turning
  std::uint8_t waste[52];
  std::int8_t wasteTop = -1;
  std::uint8_t foundation[4];  // top card of each foundation, 255 when empty
  std::int8_t turnCount = 0;

  // Selection (both rule sets)
  Selection selState = Selection::None;
  std::uint8_t selCard = 0;
  std::int32_t selCol = 0, selRow = 0;
  std::int8_t selIsRun = 0;
  std::int32_t selRunLength = 0;
  // Klondike: the pick-up may be laid on a column at Hard; Quatro: a card is chosen for a pair.
  bool selPending = false;
  std::int32_t markCol = 0, markRow = 0;
  std::int32_t markedCol = 0, markedRow = 0, markedCount = 0;
  bool markVisible = false;  // the selection frame is shown (drawn by the paint handler)

  // Drag state (drag 'n drop mode)
  std::uint8_t dragging = 0;
  std::uint8_t dragFromTableau = 0;
  std::uint8_t dragBackup[kRows];
  std::int32_t grabDX = 0, grabDY = 0;
  std::int32_t pointerX = 0, pointerY = 0;
  std::uint8_t pointerOutside = 0;
  std::int32_t outsideX = 0, outsideY = 0;
  std::uint8_t soundPlayed = 0;
  std::int32_t dragHeight = 0;    // height of the drag image: (markedCount - 1) * rowStep + 130
  bool dragImageVisible = false;  // the drag image is drawn at (pointer - grab offset)
  std::int32_t dragImageX = 0, dragImageY = 0;  // where the drag image was last drawn
  // The dragged cards are out of the piles: rows markedRow.. of dragBackup (dragFromTableau 1) or
  // waste[wasteTop + 1] (dragFromTableau 0). Every end of a drag puts them back first.
  bool dragHoldsCards = false;

  // Quatro
  std::uint8_t gridCount = 0;
  std::uint8_t pairMode = 0;
  std::uint8_t quatroOver = 0;

  // Score counters
  std::int32_t score = 0, seconds = 0, tenTicks = 0, vegasRedeals = 0, qualifies = 0;

  // Layout
  TableLayout layout;
  std::uint8_t screenClass = 3;
};

// The selection frame around the marked run in Klondike, around one card in Quatro.
inline Rect selectionFrame(const GameTable& t, bool klondike) {
  return t.layout.selectionFrame({t.markedCol, t.markedRow}, klondike ? t.markedCount : 1);
}

}  // namespace game
