#pragma once
// The list of the ten best results and its file "Highscore.ini". Toolkit-free.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace results {

constexpr int kHighscoreRows = 10;
constexpr int kHighscoreStrings = 30;  // names 0..9, scores 10..19, times 20..29
constexpr int kNotPlaced = 10;         // entryRow of a result below the ten best
constexpr const char* kHighscoreFileName = "Highscore.ini";

// The 30 strings of the list. Lines of a file beyond the 30 are kept here and written back.
struct HighscoreList {
  std::vector<std::string> lines;

  // Rows 0..9; row 0 is place 1.
  std::string& name(int row) { return lines.at(row); }
  std::string& score(int row) { return lines.at(kHighscoreRows + row); }
  std::string& time(int row) { return lines.at(2 * kHighscoreRows + row); }
  const std::string& name(int row) const { return lines.at(row); }
  const std::string& score(int row) const { return lines.at(kHighscoreRows + row); }
  const std::string& time(int row) const { return lines.at(2 * kHighscoreRows + row); }
};

// The value of a score or time text: an optional '-' and decimal digits. Any other text, and a
// number outside 32 bits, counts as 0.
std::int32_t highscoreValue(std::string_view text);

// The list of the ten default rows.
HighscoreList defaultHighscores();

// Ranks the result (the texts shown for score and seconds) against the list: it goes above every
// row with a lower score and above every row with the same score and an equal or longer time.
// Rows from that place down move one row down (the tenth is lost), and the place gets the score
// and time texts; its name stays as it was until a name is confirmed. Returns the row 0..9, or
// kNotPlaced (list unchanged) when the result is below the ten best.
int placeResult(HighscoreList& list, const std::string& scoreText, const std::string& secondsText);

// The list of "Highscore.ini" in `dir` (name matched without regard to case). A file of exactly
// 20 lines gets the time "10" for every row; a shorter one is completed from the default rows;
// a missing or unreadable file gives the default list. A file that is damaged (NUL bytes) or too
// large for platform::readTextLines gives the lines that could be read, completed the same way,
// and *notice (if given) gets the message that tells the player so; such a file is never saved
// over.
HighscoreList loadHighscores(const std::string& dir, std::string* notice = nullptr);

// The path the list is written to: the existing file of that name in `dir` whatever its case,
// else `dir`/"Highscore.ini".
std::string highscorePath(const std::string& dir);

// Writes the list (CR LF after every line) over the file by a temporary file, so the old file is
// kept on failure; a file that could not be read whole or that the player may not write is kept
// too. Returns the message to show on failure: "Cannot create file <path>".
std::optional<std::string> saveHighscores(const HighscoreList& list, const std::string& dir);

}  // namespace results
