#pragma once
// A TableView that records every call of the rules, so that tests can check what the window would
// have been asked to do.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "game/table_view.h"

namespace game::testing {

class RecordingView : public TableView {
 public:
  struct Invalidation {
    Rect rect;
    bool erase;
  };

  std::vector<Invalidation> invalidations;
  int invalidateAllCount = 0;
  int repaintCount = 0;
  int refusals = 0;
  std::map<int, std::string> panels;
  std::vector<bool> clockChanges;
  int endGameCount = 0;
  std::vector<std::pair<std::string, std::string>> highscores;
  std::vector<Rect> grabs;
  // Called by grabDragImage, to look at the model at that moment.
  std::function<void()> onGrab;

  void invalidate(const Rect& r, bool erase) override { invalidations.push_back({r, erase}); }
  void invalidateAll() override { ++invalidateAllCount; }
  void repaintNow() override { ++repaintCount; }
  void playRefusalSound() override { ++refusals; }
  void setStatusPanel(int panel, const std::string& text) override { panels[panel] = text; }
  void setClockRunning(bool running) override { clockChanges.push_back(running); }
  void showEndGame() override { ++endGameCount; }
  void enterHighscore(const std::string& score, const std::string& seconds) override {
    highscores.emplace_back(score, seconds);
  }
  void grabDragImage(const Rect& source) override {
    grabs.push_back(source);
    if (onGrab) onGrab();
  }

  // True when some invalidated rectangle contains the point.
  bool invalidated(int x, int y) const {
    for (const auto& i : invalidations)
      if (x >= i.rect.left && x < i.rect.right && y >= i.rect.top && y < i.rect.bottom) return true;
    return false;
  }
  // True when the invalidated rectangles together cover every pixel of r.
  bool covers(const Rect& r) const {
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (!invalidated(x, y)) return false;
    return true;
  }
  void clearRecords() {
    invalidations.clear();
    invalidateAllCount = repaintCount = refusals = endGameCount = 0;
    clockChanges.clear();
    highscores.clear();
    grabs.clear();
  }
};

}  // namespace game::testing
