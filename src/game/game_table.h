#pragma once
// The one game-state record of the table window: the rule state (each game's state and the score)
// with the selection and drag state, the clock and the layout around it. Plain data; the engine
// and the games' rules change it and the table painter reads it.
#include <cstdint>

#include "game/games.h"
#include "game/rule_state.h"
#include "game/table_geometry.h"

namespace game {

// What the player has picked up (both rule sets).
enum class Selection : std::uint8_t { None, PickedUp, SeekingFoundation };

struct GameTable : RuleState {
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

  // The clock and the highscore list (never undone)
  std::int32_t seconds = 0, tenTicks = 0, qualifies = 0;

  // Layout
  TableLayout layout;
  std::uint8_t screenClass = 3;
};

// The selection frame around the marked run in Klondike, around one card in Quatro.
inline Rect selectionFrame(const GameTable& t, bool klondike) {
  return t.layout.selectionFrame({t.markedCol, t.markedRow}, klondike ? t.markedCount : 1);
}

}  // namespace game
