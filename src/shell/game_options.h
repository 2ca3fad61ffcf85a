#pragma once
// The game's own options beside the settings file: Options.ini, one "key=value" line each. The
// reader is lenient (unknown keys, bad values and odd spacing leave the defaults); the 274-byte
// settings file keeps its layout and never holds these.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace shell {

inline constexpr const char* kGameOptionsFile = "Options.ini";

// Options > Zoom: the table at a fixed scale, or fitted into the window.
enum class Zoom : std::uint8_t { Percent100, Percent150, Percent200, FitWindow };

// Widget pixels per table pixel at each Zoom; 0 fits the table into the window.
constexpr double zoomFactor(Zoom zoom) {
  constexpr double kFactors[] = {1, 1.5, 2, 0};
  return kFactors[std::size_t(zoom)];
}

struct GameOptions {
  bool winnableDealsOnly = false;  // Options > Winnable deals only
  Zoom zoom = Zoom::Percent100;
  bool animations = true;  // Options > Animations: cards the player does not drag glide
  bool autodrop = false;   // Options > Autodrop: safe cards go home after each move
  bool resumeGame = true;  // Options > Resume unfinished game
  bool operator==(const GameOptions&) const = default;
};

GameOptions parseGameOptions(std::string_view text);
std::string formatGameOptions(const GameOptions& options);

// The options of the file in `dir`; the defaults when it is missing or cannot be read. A file
// that cannot be read, or only in part, puts the message to show into *notice and is not saved
// over (platform::loadPlayerLines).
GameOptions readGameOptions(const std::string& dir, std::string* notice = nullptr);
// Writes the file in `dir` atomically; false with the reason in *error when it cannot.
bool writeGameOptions(const GameOptions& options, const std::string& dir,
                      std::string* error = nullptr);

}  // namespace shell
