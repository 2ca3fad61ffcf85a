#pragma once
// The rule engine of both rule sets: deals, Klondike moves, Quatro, the pointer handlers' logic of
// both modes, auto finish, scoring, score modes and the game clock. Toolkit-free: the window
// forwards its events here and mirrors `menu` in its menu bar.
//
// The engine never draws. It changes `t`, invalidates the rectangles of what changed and the
// window's paint handler redraws from `t`: the cards, the selection frame (`markVisible`), the drag
// image (`dragImageVisible` at `dragImageX`, `dragImageY`) and the Quatro target highlights
// (`quatroTargets`).
#include <cstdint>
#include <functional>
#include <optional>

#include "game_table.h"
#include "table_view.h"

namespace game {

enum class ScoreMode : std::uint8_t { None = 0, Normal = 1, Vegas = 2 };  // = pref.scoreMode
enum class RuleSet : std::uint8_t { Klondike = 1, Quatro = 2 };          // = pref.game
enum class MouseButton { Left, Right, Other };

// The menu check marks that the rules read; they are the live state, the window's menu mirrors them.
struct MenuState {
  ScoreMode scoreMode = ScoreMode::None;  // exactly one of Normal, Vegas, None is checked
  bool timed = true;
  char level = 'C';  // 'A' Easy, 'B' Medium, 'C' Hard
  bool dragDrop = true;
  bool soundOn = true;
  RuleSet ruleSet = RuleSet::Klondike;
};

// A place of the table: screen column and row (Klondike: tableau rows, or `bottomRow`).
struct Place {
  int column = 0, row = 0;
  bool operator==(const Place&) const = default;
};

class GameEngine {
 public:
  explicit GameEngine(TableView& view);

  GameTable t{};
  MenuState menu;
  bool cardSetPresent = false;  // presses are refused while no card set is (about to be) loaded
  bool clockRunning = false;
  // Seed of the shuffle; the game uses the calendar time in whole seconds, tests a fixed value.
  // A seed equal to the one of the last deal is replaced by the next one, so that a new deal in
  // the same second is a new game.
  std::function<std::uint32_t()> seedSource;

  // --- layout (screen class 1..3 from the desktop work area) ---
  void setScreenClass(int screenClass);  // sets the layout of the current rule set
  Rect placeRect(int column, int row) const;
  // Table area of Klondike presses, both ends included.
  bool insideKlondikeArea(int x, int y) const;
  // The place under a client point (integer division toward zero; gaps belong to the place left
  // of and above them).
  Place hitPlace(int x, int y) const;
  // The lowest occupied row at or above `row` of a tableau column (row 0 when the column is empty).
  int findCardRow(int column, int row) const;
  // Occupied rows from `row` down to the first empty one.
  int runLength(int column, int row) const;

  // --- deals, rule sets, levels ---
  // Deals the game of `menu.ruleSet` at program start. False when Quatro was asked for on a screen
  // of class 1: then Klondike is dealt instead and the window shows its message.
  bool startUp();
  void dealKlondike();
  void dealQuatro();
  void restart();          // Game > Restart
  void switchToKlondike();  // Game > Klondike
  bool switchToQuatro();    // Game > Quatro; false (and Klondike kept) on a screen of class 1
  void chooseLevel(char level);

  // --- score modes and clock ---
  void chooseNormal();
  void chooseVegas();
  void chooseNone();
  void toggleTimed();
  void clockTick();

  // --- Klondike rules ---
  void klondikePress(int x, int y);
  void moveToFoundation(int f);
  void cancelSelection();
  void autoFinish();
  bool canAutoFinish() const;

  // --- Quatro rules ---
  void quatroPress(int x, int y);
  // The empty places (screen columns, rows) that the current Quatro card may go to: the places of
  // its kind for a King, Queen or Jack; none for a number card. Returns their count.
  int quatroTargets(int columns[4], int rows[4]) const;

  // --- pointer handlers (client coordinates) ---
  void mouseDown(MouseButton button, int x, int y);
  // insideClient: the pointer lies strictly inside the window's client rectangle.
  void mouseMove(bool leftHeld, bool insideClient, int x, int y);
  void mouseUp(MouseButton button, int x, int y);
  void toggleDragDrop();
  void toggleSound();

 private:
  TableView& view_;
  std::optional<std::uint32_t> lastSeed_;  // of the last deal

  // layout
  void applyLayout();
  void invalidatePlace(int column, int row);
  void invalidateColumnFrom(int column, int row);

  // Klondike press branches
  void stockPress();
  void wastePress();
  void foundationPress(int f);
  void tableauPress(int column, int row);
  void pickUp(int column, int row);
  void sameCardAgain();
  void layDown(int column, int row);
  void removeLaidCardsFromSource(bool ontoCard);
  void sendPickedCardToFoundation();
  int foundationFor(std::uint8_t card) const;
  void refuse();
  void gameWon();
  void clearSelectionState();
  std::uint32_t nextSeed();

  // Quatro
  void placeQuatroCard(int column, int row);
  void pairPress(int column, int row);
  void invalidateQuatroTargets();
  void emptyGridPlace(int column, int row);
  bool quatroWon() const;

  // scoring and clock
  void addPoints(int normal, int vegas);
  void showScore();
  void showSeconds();
  void startClock();
  void stopClock();

  // selection frame, drag and refusal
  bool dragMode() const;
  void drawMark();
  void eraseMark();
  void invalidateMarkStrips();
  void playRefusal();
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
