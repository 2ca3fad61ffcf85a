#pragma once
// A TableView that records every call of the rules, so that tests can check what the window would
// have been asked to do.
#include <functional>
#include <optional>
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
  std::optional<int> score, seconds;  // as last reported
  std::vector<bool> clockChanges;
  int moves = 0;
  std::vector<GameResult> wins;
  std::vector<Rect> grabs;
  // Called by dragStarted, to look at the model at that moment.
  std::function<void()> onGrab;

  void invalidate(const Rect& r, bool erase) override { invalidations.push_back({r, erase}); }
  void invalidateAll() override { ++invalidateAllCount; }
  void repaintNow() override { ++repaintCount; }
  void refused() override { ++refusals; }
  void scoreChanged(int s) override { score = s; }
  void clockChanged(int s) override { seconds = s; }
  void setClockRunning(bool running) override { clockChanges.push_back(running); }
  void moveMade() override { ++moves; }
  void gameWon(const GameResult& result) override { wins.push_back(result); }
  void dragStarted(const Rect& source) override {
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
    invalidateAllCount = repaintCount = refusals = moves = 0;
    clockChanges.clear();
    wins.clear();
    grabs.clear();
  }
};

}  // namespace game::testing
