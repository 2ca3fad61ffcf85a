#pragma once
// Cards the player does not drag glide from where they lay to where the rules put them: double
// click, auto finish, undo and redo, autodrop. The rules have moved them already; the glide
// only shows the way, so the end state, the points and the sounds are those of no glide.
#include <QElapsedTimer>
#include <vector>

#include "cards/table_painter.h"
#include "game/game_table.h"
#include "game/move_history.h"

namespace shell {

class CardGlide {
 public:
  static constexpr int kDurationMs = 120;  // short and quick, the pace of a practised hand

  // Starts a glide of the Klondike cards that lie face up and in sight in both tables but in
  // other places; false, and no glide, when none does.
  bool start(const game::GameTable& before, const game::GameTable& after);
  void stop() { cards_.clear(); }
  bool active() const { return !cards_.empty(); }
  // True once the glide has run its time.
  bool finished() const { return clock_.elapsed() >= kDurationMs; }

  // True while the rules' table `now` is still the one the glide leads to (a new deal, say, ends
  // what the glide shows).
  bool leadsTo(const game::GameTable& now) const { return game::ruleStateOf(now) == target_; }
  // The table to paint meanwhile: the rules' table, with the gliding cards not yet arrived.
  const game::GameTable& shownTable() const { return shown_; }
  // The gliding cards where they are now, in the order to draw them.
  std::vector<cards::FloatingCard> cardsNow() const;

 private:
  struct Gliding {
    int code;
    QPoint from, to;
  };
  std::vector<Gliding> cards_;
  game::GameTable shown_;
  game::RuleState target_{};
  QElapsedTimer clock_;
};

}  // namespace shell
