#pragma once
// The game in play: what is common to every game around its rules (games.h): deals, the pointer
// handlers' logic of both modes, selection, drag, undo, the pacing of an auto finish, scoring,
// score modes and the game clock. Each game's own moves are its rules object's, which acts on the
// table through the engine's common part (Play). Toolkit-free: the window forwards its events
// here and mirrors `menu` in its menu bar.
//
// The engine keeps its state to itself: the window and the painter read it through `table()` and
// `menu()` and change it only through the operations below. The engine never draws. It changes
// the table, invalidates the rectangles of what changed and the window's paint handler redraws
// from `table()`: the cards, the selection frame (`markVisible`), the drag image
// (`dragImageVisible` at `dragImageX`, `dragImageY`) and the Quatro target highlights
// (`targets`).
#include <cstdint>
#include <functional>
#include <optional>

#include "game/game_table.h"
#include "game/level.h"
#include "game/move_history.h"
#include "game/play.h"
#include "game/table_view.h"

namespace game {

struct SavedGame;

enum class ScoreMode : std::uint8_t { None = 0, Normal = 1, Vegas = 2 };  // = pref.scoreMode
enum class MouseButton { Left, Right, Other };

// The menu check marks that the rules read; they are the live state, the window's menu mirrors
// them.
struct MenuState {
  ScoreMode scoreMode = ScoreMode::None;  // exactly one of Normal, Vegas, None is checked
  bool timed = true;
  Level level = Level::Hard;
  bool dragDrop = true;
  bool soundOn = true;
  RuleSet ruleSet = RuleSet::Klondike;
};

class GameEngine : private Play {
 public:
  explicit GameEngine(TableView& view);

  const GameTable& table() const { return t_; }
  const MenuState& menu() const override { return menu_; }
  // The registry's entry of the game in play.
  const GameRules& rules() const { return rulesOf(menu_.ruleSet); }
  bool cardSetPresent() const { return cardSetPresent_; }
  bool clockRunning() const { return clockRunning_; }
  // For tests that set up positions no deal produces; the game itself never calls it.
  GameTable& tableForSetup() { return t_; }
  // For tests of a game's moves: the game's own part of a left press at a point, without the
  // clock, the undo step or the drag around it; a point the game refuses drops the pick-up.
  void rulePress(int x, int y);
  // Seed of the shuffle; the game uses the calendar time in whole seconds, tests a fixed value.
  // A seed equal to the one of the last deal is replaced by the next one, so that a new deal in
  // the same second is a new game.
  std::function<std::uint32_t()> seedSource;

  // --- layout (screen class 1..3 from the desktop work area) ---
  void setScreenClass(int screenClass);  // sets the layout of the game in play
  Rect placeRect(int column, int row) const { return t_.layout.placeRect(column, row); }

  // --- settings, deals, games, levels ---
  // Takes the stored menu choices (set the screen class first). False when they ask for a game
  // the screen is too small for: then the default game is chosen and the window shows its message.
  bool applyMenuState(const MenuState& menu);
  // Presses are refused while no card set is (about to be) loaded.
  void setCardSetPresent(bool present) { cardSetPresent_ = present; }
  // Options > Autodrop: after each Klondike move, the cards that can safely go home go home, with
  // the usual points, as part of the move's undo step.
  void setAutodrop(bool on) { autodrop_ = on; }
  // Deals the game of `menu().ruleSet` at program start. False when the screen is too small for
  // it: then the default game is dealt instead.
  bool startUp();
  void dealKlondike();  // a Klondike deal whatever the game in play (for positions of Klondike)
  void restart();       // Game > Restart
  // Game > Klondike, Game > Quatro: false (and the game kept) on a screen too small for it.
  bool play(RuleSet game);
  void chooseLevel(Level level);
  // The number the current deal was dealt from; playDeal deals the game of a number again.
  std::uint32_t dealNumber() const { return lastSeed_.value_or(0); }
  void playDeal(std::uint32_t number);
  // The seed a new deal would take from `seedSource`: never the last deal's seed.
  std::uint32_t freshTimeSeed() const;

  // --- undo and redo within a deal (one step per completed move, a whole auto finish is one) ---
  bool canUndo() const;  // never once the game is won
  bool canRedo() const;
  // Drop a pick-up or drag, then go back (forward) one step; the clock and its penalty stay.
  // An undo takes a Klondike game off the highscore list.
  void undo();
  void redo();

  // --- the game in progress as its file keeps it (saved_game.h) ---
  SavedGame savedGame() const;
  // Goes on with a saved game: its choices, table, score, clock (stopped until the next press)
  // and undo steps. False, and nothing changed, when the screen cannot show its game.
  bool resume(const SavedGame& game);
  bool gameOver() const;  // won (Quatro: over)

  // A hint was used: the game no longer enters the highscore list.
  void endQualification() { t_.qualifies = 0; }

  // --- score modes and clock ---
  void chooseNormal();
  void chooseVegas();
  void chooseNone();
  void toggleTimed();
  void clockTick();

  // Drops the pick-up, or the card chosen for a pair (and puts back the cards of an unfinished
  // drag): Escape, the right button, a menu command.
  void cancelSelection() override;
  // Auto finish sends every card home, smallest first, once nothing is hidden (in a game that has
  // it). startAutoFinish() begins it (false when it cannot); each autoFinishStep() moves one card
  // and tells whether more remain. A new deal ends it. autoFinish() does it all at once.
  bool startAutoFinish();
  bool autoFinishStep();
  void autoFinish();
  bool canAutoFinish() const { return rules().canAutoFinish(t_); }

  // The places the game highlights for the card in hand (Quatro: the empty places of a face
  // card's kind). Returns their count.
  int targets(Targets& places) const { return rules().targets(t_, places); }

  // --- pointer handlers (client coordinates) ---
  void mouseDown(MouseButton button, int x, int y);
  // insideClient: the pointer lies strictly inside the window's client rectangle.
  void mouseMove(bool leftHeld, bool insideClient, int x, int y);
  void mouseUp(MouseButton button, int x, int y);
  // A double click in drag 'n drop mode on the waste card or the last card of a column sends it
  // home when it fits, and does nothing otherwise. False when the double click is no such gesture
  // (another place or mode): then it counts as a press.
  bool doubleClick(MouseButton button, int x, int y);
  void toggleDragDrop();
  void toggleSound();

  // --- keyboard play ---
  // A press of the focused place: picks up and lays down as a click does, also in drag 'n drop.
  void keyPress(Place place);

 private:
  TableView& view_;
  GameTable t_{};
  MenuState menu_;
  bool cardSetPresent_ = false;
  bool clockRunning_ = false;
  bool autoFinishing_ = false;
  bool autodrop_ = false;
  bool keyPressing_ = false;                 // a key press is handled as a click, never as a drag
  std::optional<std::uint32_t> lastSeed_;    // of the last deal
  std::optional<std::uint32_t> chosenSeed_;  // the number the next deal is dealt from
  MoveHistory history_;
  std::optional<RuleState> autoFinishStart_;  // the table before the auto finish under way

  bool fits(RuleSet game) const;
  // layout
  void applyLayout();
  void invalidatePlace(int column, int row) override;
  void invalidateColumnFrom(int column, int row) override;

  // Play: the table and the view as the game's rules see them
  GameTable& t() override { return t_; }
  TableView& view() override { return view_; }

  // A left press of a place by the pointer or the keyboard, and the game's own part of it.
  void leftPress(std::optional<Place> place);
  void gamePress(std::optional<Place> place);
  void clearSelectionState();
  std::uint32_t nextSeed();
  void deal(const GameRules& game, std::uint32_t seed);

  // history: the rule part as it lies when the cards of a drag are back in their piles
  RuleState restingRuleState() const override;
  void recordMove(const RuleState& before) override;
  void endAutoFinish();  // records a finish under way as one step
  bool autoFinishOneCard();
  void returnTo(const RuleState& state);

  // scoring and clock
  void addPoints(int normal, int vegas) override;
  void showScore() override;
  void showSeconds() override;
  void startClock() override;
  void stopClock() override;

  // selection frame, drag and refusal
  bool dragMode() const override;
  void drawMark() override;
  void eraseMark() override;
  void invalidateMarkStrips();
  void playRefusal() override;
  void beginDrag();
  void moveDragImage(int x, int y);
  void eraseImageAtOutsidePlace();
  void releaseDrag(int x, int y);
  void restoreDragCards();
  void abortDrag();
  Rect dragImageRect() const;
  Rect dragSourceRect() const;
};

}  // namespace game
