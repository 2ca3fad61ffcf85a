#pragma once
// The game in progress as its file keeps it ("Game.ini" in the play folder), so that the next
// start goes on with it after the window was closed, the program was ended or the machine lost
// power: the choices it is played with, the deal's number, the whole rule state with its undo and
// redo steps, the clock and what the statistics know of it. The text is versioned and ends in a
// checksum of everything above it; the reader takes nothing but a file of exactly this form.
// Toolkit-free.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/game_engine.h"
#include "game/statistics.h"

namespace game {

inline constexpr const char* kSavedGameFileName = "Game.ini";
inline constexpr int kSavedGameVersion = 1;

struct SavedGame {
  // The choices the game is played with (drag 'n drop and sound are the player's settings).
  RuleSet game = kDefaultGame;
  Level level = Level::Hard;
  ScoreMode scoreMode = ScoreMode::None;
  bool timed = true;
  std::uint32_t dealNumber = 0;
  RuleState table{};
  std::int32_t seconds = 0, tenTicks = 0, qualifies = 0;
  std::vector<RuleState> undo, redo;   // oldest first; the next redo last
  std::optional<TrackedGame> tracked;  // the statistics' game, once it has been played
  bool operator==(const SavedGame&) const = default;
};

std::string formatSavedGame(const SavedGame& game);

struct SavedGameRead {
  std::optional<SavedGame> game;
  bool futureVersion = false;  // written by a later version of the game: not read
};
// A file of another form, a wrong checksum or a value out of its range reads as no game.
SavedGameRead parseSavedGame(std::string_view text);

}  // namespace game
