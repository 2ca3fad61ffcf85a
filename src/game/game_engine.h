#pragma once
// The rule engine of both rule sets: deals, Klondike moves, Quatro, the pointer handlers' logic of
// both modes, auto finish, scoring, score modes and the game clock. Toolkit-free: the window
// forwards its events here and mirrors `menu` in its menu bar.
#include <cstdint>
#include <functional>

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

class GameEngine {
 public:
  explicit GameEngine(TableView& view);

  GameTable t{};
  MenuState menu;
  bool cardSetPresent = false;  // presses are refused while no card set is (about to be) loaded
  bool clockRunning = false;
  // Seed of the shuffle; the game uses the calendar time in whole seconds, tests a fixed value.
  std::function<std::uint32_t()> seedSource;

  // --- layout (screen class 1..3 from the desktop work area) ---
  void setScreenClass(int screenClass);  // sets the layout of the current rule set
  Rect placeRect(int column, int row) const;
  // Table area of Klondike presses, both ends included.
  bool insideKlondikeArea(int x, int y) const;

  // --- deals, rule sets, levels ---
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
  // The empty places that the current Quatro card may go to (highlighted by the painter).
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
  // (implementation helpers)
};

}  // namespace game
