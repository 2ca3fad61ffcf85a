#pragma once
// A TableView that ignores every call: for programs that run the rules without a window.
#include "game/table_view.h"

namespace game {

class SilentView : public TableView {
 public:
  void invalidate(const Rect&, bool) override {}
  void invalidateAll() override {}
  void repaintNow() override {}
  void playRefusalSound() override {}
  void setStatusPanel(int, const std::string&) override {}
  void setClockRunning(bool) override {}
  void showEndGame() override {}
  void enterHighscore(const std::string&, const std::string&) override {}
  void grabDragImage(const Rect&) override {}
};

}  // namespace game
