#pragma once
// A TableView that ignores every call: for programs that run the rules without a window.
#include "game/table_view.h"

namespace game {

class SilentView : public TableView {
 public:
  void invalidate(const Rect&, bool) override {}
  void invalidateAll() override {}
  void repaintNow() override {}
  void refused() override {}
  void scoreChanged(int) override {}
  void clockChanged(int) override {}
  void gameWon(const GameResult&) override {}
  void dragStarted(const Rect&) override {}
};

}  // namespace game
