#include "shell/game_options.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "platform/file_io.h"

namespace shell {
namespace {

const char* const kWinnableDealsOnly = "WinnableDealsOnly";
const char* const kZoom = "Zoom";
const char* const kAnimations = "Animations";
const char* const kAutodrop = "Autodrop";
const char* const kResumeGame = "ResumeGame";
// The stored value of each Zoom, in the enum's order.
const char* const kZoomValues[] = {"100", "150", "200", "Fit"};

std::string_view trimmed(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

bool sameNoCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(
      a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

// "1", "0", "true", "false", "yes", "no" in any case; anything else leaves `flag` as it is.
void readFlag(std::string_view value, bool& flag) {
  for (const char* on : {"1", "true", "yes"})
    if (sameNoCase(value, on)) flag = true;
  for (const char* off : {"0", "false", "no"})
    if (sameNoCase(value, off)) flag = false;
}

// One of kZoomValues in any case; anything else leaves `zoom` as it is.
void readZoom(std::string_view value, Zoom& zoom) {
  for (std::size_t i = 0; i < std::size(kZoomValues); ++i)
    if (sameNoCase(value, kZoomValues[i])) zoom = Zoom(i);
}

GameOptions parseLines(const std::vector<std::string>& lines) {
  GameOptions options;
  for (const std::string& line : lines) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string_view key = trimmed(std::string_view(line).substr(0, equals));
    const std::string_view value = trimmed(std::string_view(line).substr(equals + 1));
    if (sameNoCase(key, kWinnableDealsOnly)) readFlag(value, options.winnableDealsOnly);
    if (sameNoCase(key, kZoom)) readZoom(value, options.zoom);
    if (sameNoCase(key, kAnimations)) readFlag(value, options.animations);
    if (sameNoCase(key, kAutodrop)) readFlag(value, options.autodrop);
    if (sameNoCase(key, kResumeGame)) readFlag(value, options.resumeGame);
  }
  return options;
}

std::vector<std::string> formatLines(const GameOptions& options) {
  std::vector<std::string> lines = {std::string(kWinnableDealsOnly) + "=" +
                                    (options.winnableDealsOnly ? "1" : "0")};
  // The zoom and resuming are written once changed, so that the file of a game that keeps their
  // defaults stays as it was.
  if (options.zoom != Zoom::Percent100)
    lines.push_back(std::string(kZoom) + "=" + kZoomValues[std::size_t(options.zoom)]);
  if (!options.resumeGame) lines.push_back(std::string(kResumeGame) + "=0");
  // Likewise the animations and autodrop, once they differ from their defaults.
  if (!options.animations) lines.push_back(std::string(kAnimations) + "=0");
  if (options.autodrop) lines.push_back(std::string(kAutodrop) + "=1");
  return lines;
}

}  // namespace

GameOptions parseGameOptions(std::string_view text) {
  return parseLines(platform::splitLines(text));
}

std::string formatGameOptions(const GameOptions& options) {
  return platform::joinLinesCrLf(formatLines(options));
}

GameOptions readGameOptions(const std::string& dir, std::string* notice) {
  const auto text = platform::loadPlayerLines(platform::joinPath(dir, kGameOptionsFile), notice);
  return text ? parseLines(text->lines) : GameOptions{};
}

bool writeGameOptions(const GameOptions& options, const std::string& dir, std::string* error) {
  return platform::writeTextLines(platform::joinPath(dir, kGameOptionsFile), formatLines(options),
                                  error);
}

}  // namespace shell
