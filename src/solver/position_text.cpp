// The position text: reading and writing.
#include "solver/position_text.h"

#include <algorithm>
#include <set>
#include <sstream>
#include <vector>

#include "game/card.h"
#include "game/number_text.h"

namespace solver {

namespace {

constexpr const char* kLevelNames[] = {"easy", "medium", "hard"};
constexpr std::size_t kMaxLineLength = 1000;

// A number of at most three digits, 0 to `max`.
std::optional<int> parseNumber(const std::string& word, int max) {
  int value = 0;
  if (word.size() > 3 || !game::parseWholeNumber(word, value) || value < 0 || value > max)
    return std::nullopt;
  return value;
}

class Reader {
 public:
  explicit Reader(const std::string& text) : lines_(text) {}

  PositionParse read() {
    PositionFile file;
    std::string line;
    while (std::getline(lines_, line)) {
      ++lineNumber_;
      if (line.size() > kMaxLineLength) return failed("line too long");
      line = line.substr(0, line.find('#'));
      std::istringstream words(line);
      std::string item;
      if (!(words >> item)) continue;
      std::vector<std::string> values;
      for (std::string word; words >> word;) values.push_back(word);
      if (!seen_.insert(item).second) return failed("'" + item + "' given twice");
      if (!readItem(item, values, file)) return result_;
    }
    PositionParse result;
    result.file = std::move(file);
    return result;
  }

 private:
  std::istringstream lines_;
  int lineNumber_ = 0;
  std::set<std::string> seen_;
  bool used_[52] = {};
  PositionParse result_;

  bool fail(const std::string& reason) {
    result_.error = "line " + std::to_string(lineNumber_) + ": " + reason;
    return false;
  }
  PositionParse failed(const std::string& reason) {
    fail(reason);
    return result_;
  }

  // A card code: 0..51, or 64..115 where face-down cards are allowed; each card once.
  std::optional<std::uint8_t> card(const std::string& word, bool faceDownAllowed) {
    const auto code = parseNumber(word, 255);
    if (!code) return fail("'" + word + "' is no card code"), std::nullopt;
    const bool faceDown = *code >= game::kFaceDown;
    const int value = faceDown ? *code - game::kFaceDown : *code;
    if (value > 51 || (faceDown && !faceDownAllowed))
      return fail("'" + word + "' is no card code here"), std::nullopt;
    if (used_[value]) return fail("card " + std::to_string(value) + " given twice"), std::nullopt;
    used_[value] = true;
    return static_cast<std::uint8_t>(*code);
  }

  bool readCards(const std::vector<std::string>& values, std::vector<std::uint8_t>& cards) {
    for (const std::string& word : values) {
      const auto code = card(word, false);
      if (!code) return false;
      cards.push_back(*code);
    }
    return true;
  }

  bool readColumn(const std::vector<std::string>& values, Position::Column& column) {
    if (values.size() > 19) return fail("a column holds at most 19 cards");
    for (const std::string& word : values) {
      const auto code =
          card(word, column.cards.size() == static_cast<std::size_t>(column.faceDown));
      if (!code) return false;
      if (*code >= game::kFaceDown) ++column.faceDown;
      column.cards.push_back(static_cast<std::uint8_t>(*code % game::kFaceDown));
    }
    return true;
  }

  bool readFoundation(const std::vector<std::string>& values, std::uint8_t (&tops)[4]) {
    if (values.size() != 4) return fail("found needs four top cards (255 for none)");
    for (int f = 0; f < 4; ++f) {
      if (values[f] == "255") continue;
      const auto top = card(values[f], false);
      if (!top) return false;
      tops[f] = *top;
      // The cards below the top are on the pile too.
      for (int below = *top - 4; below >= 0; below -= 4) {
        if (used_[below]) return fail("card " + std::to_string(below) + " given twice");
        used_[below] = true;
      }
    }
    return true;
  }

  bool readItem(const std::string& item, const std::vector<std::string>& values,
                PositionFile& file) {
    if (item == "level") {
      const auto* name = std::find(std::begin(kLevelNames), std::end(kLevelNames),
                                   values.size() == 1 ? values[0] : std::string());
      if (name == std::end(kLevelNames)) return fail("level is easy, medium or hard");
      file.level = static_cast<Level>(name - std::begin(kLevelNames));
      return true;
    }
    if (item == "vegas") {
      const auto used = values.size() == 1 ? parseNumber(values[0], 3) : std::nullopt;
      if (!used) return fail("vegas takes the refills used, 0 to 3");
      file.vegasRefillsUsed = *used;
      return true;
    }
    if (item.size() == 4 && item.starts_with("col") && item[3] >= '0' && item[3] <= '6')
      return readColumn(values, file.position.columns[item[3] - '0']);
    if (item == "stock") return readCards(values, file.position.stock);
    if (item == "waste") return readCards(values, file.position.waste);
    if (item == "found") return readFoundation(values, file.position.foundation);
    return fail("unknown item '" + item + "'");
  }
};

void writeCards(std::ostringstream& out, const char* item, const std::vector<std::uint8_t>& cards,
                int faceDown = 0) {
  out << item;
  for (std::size_t i = 0; i < cards.size(); ++i)
    out << ' ' << cards[i] + (static_cast<int>(i) < faceDown ? game::kFaceDown : 0);
  out << '\n';
}

}  // namespace

int PositionFile::refillsLeft() const {
  return vegasRefillsUsed < 0 ? kUnlimitedRefills : std::max(0, 2 - vegasRefillsUsed);
}

PositionParse parsePosition(const std::string& text) { return Reader(text).read(); }

std::string positionText(const PositionFile& file) {
  std::ostringstream out;
  if (file.level) out << "level " << kLevelNames[static_cast<int>(*file.level)] << '\n';
  if (file.vegasRefillsUsed >= 0) out << "vegas " << file.vegasRefillsUsed << '\n';
  for (int c = 0; c < 7; ++c) {
    const std::string item = "col" + std::to_string(c);
    writeCards(out, item.c_str(), file.position.columns[c].cards,
               file.position.columns[c].faceDown);
  }
  writeCards(out, "stock", file.position.stock);
  writeCards(out, "waste", file.position.waste);
  out << "found";
  for (std::uint8_t top : file.position.foundation) out << ' ' << int{top};
  out << '\n';
  return out.str();
}

}  // namespace solver
