#pragma once
// The games of this program, one rules object each behind one interface: what the engine, the
// painter, the statistics and the window ask of a game. Each game's moves act on its own state
// (klondike_state.h, quatro_state.h) through the engine's common part (Play); selection, drag,
// clock, score modes, undo and the pacing of an auto finish are the engine's. A new game adds its
// state to RuleState, its rules object (like klondike_rules.*) and its line in the registry
// (games.cpp). Toolkit-free.
#include <array>
#include <cstdint>
#include <optional>

#include "game/table_geometry.h"

namespace game {

struct GameTable;
struct MenuState;
class Play;
enum class FocusMove;

enum class RuleSet : std::uint8_t { Klondike = 1, Quatro = 2 };  // = the settings' game byte
constexpr RuleSet kDefaultGame = RuleSet::Klondike;

// The places a game highlights as where the card in hand may go.
using Targets = std::array<Place, 4>;

class GameRules {
 public:
  RuleSet id;
  int smallestScreenClass;  // the game needs a screen of at least this class (1..3)
  // Levels, score modes, the clock's points, highscores, auto finish, hints and winnable deals:
  // the menu's choices that only Klondike's scoring reads, and the status bar that shows it.
  bool klondikeScoring;
  bool dragAndDrop;    // the pointer may drag cards (otherwise every press is a click)
  bool fannedColumns;  // a frame spans the cards below the one it starts at

  virtual TableLayout layout(int screenClass) const = 0;
  // Keyboard play: the focusable place nearest to a place, and the one a step leads to.
  virtual Place validFocus(const GameTable& t, Place p) const = 0;
  virtual Place focusStep(const GameTable& t, Place valid, FocusMove move) const = 0;
  // The statistics' record that a game of these choices counts in.
  virtual int statisticsKind(const MenuState& menu) const = 0;

  // Deals the game of a number (the engine then drops the selection and repaints the table).
  virtual void deal(Play& play, std::uint32_t seed) const = 0;
  // The place that a press at a table point presses (none: the game refuses the point).
  virtual std::optional<Place> placeUnder(const GameTable& t, int x, int y) const = 0;
  // A left press of a place by the pointer or the keyboard, or the drop of a drag there.
  virtual void press(Play& play, Place place) const = 0;
  virtual bool won(const GameTable& t) const = 0;  // (Quatro: over)

  // The moves a game may allow besides presses; none by default.
  // The places to highlight for the card in hand; returns their count.
  virtual int targets(const GameTable&, Targets&) const { return 0; }
  // Auto finish: whether it may start, and one card of it (false once it is over).
  virtual bool canAutoFinish(const GameTable&) const { return false; }
  virtual bool autoFinishCard(Play&) const { return false; }
  // Options > Autodrop: the cards that can safely go home go there after a move.
  virtual void dropSafeCards(Play&) const {}
  // A double click in drag 'n drop mode on a place; false when it is no gesture of the game.
  virtual bool doubleClick(Play&, Place) const { return false; }

 protected:
  constexpr GameRules(RuleSet game, int smallestScreen, bool klondikeScored, bool drags,
                      bool fanned)
      : id(game),
        smallestScreenClass(smallestScreen),
        klondikeScoring(klondikeScored),
        dragAndDrop(drags),
        fannedColumns(fanned) {}
  virtual ~GameRules() = default;
};

const GameRules& rulesOf(RuleSet id);
TableLayout tableLayout(RuleSet id, int screenClass);
// The game that a stored game byte names; the default game for a value that names none.
RuleSet gameOfStoredValue(std::uint8_t value);

}  // namespace game
