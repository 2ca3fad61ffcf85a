#include "game/saved_game.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "game/number_text.h"

namespace game {
namespace {

const char* const kHeader = "[TAVI's Klondike game]";
const char* const kGames[] = {"", "Klondike", "Quatro"};  // by RuleSet value
const char* const kLevels[] = {"Easy", "Medium", "Hard"};
const char* const kScoreModes[] = {"None", "Normal", "Vegas"};
constexpr std::size_t kMaxSteps = 100000;  // far beyond the moves of any game

std::uint64_t checksum(std::string_view text) {
  std::uint64_t h = 14695981039346656037ULL;  // FNV-1a
  for (const unsigned char c : text) {
    h ^= c;
    h *= 1099511628211ULL;
  }
  return h;
}

// The rule state as bytes, field by field (no padding, integers little-endian).
class Bytes {
 public:
  void put(std::uint8_t b) { out_.push_back(b); }
  void put(const std::uint8_t* p, std::size_t n) { out_.insert(out_.end(), p, p + n); }
  void put32(std::int32_t v) {
    for (int i = 0; i < 4; ++i) put(std::uint8_t(std::uint32_t(v) >> (8 * i)));
  }
  std::string hex() const {
    static const char kDigits[] = "0123456789abcdef";
    std::string s;
    for (const std::uint8_t b : out_) s += {kDigits[b >> 4], kDigits[b & 15]};
    return s;
  }

 private:
  std::vector<std::uint8_t> out_;
};

// The file keeps Quatro's grid, current card and deck where Klondike keeps its piles: the grid in
// the first four columns of the tableau, the current card as the waste's first card and the deck
// as the stock with its count. Klondike's counters and foundations, and Quatro's, are kept as
// the game before left them.
KlondikeState quatroAsPiles(const QuatroState& q, KlondikeState piles) {
  std::fill(&piles.tableau[0][0], &piles.tableau[0][0] + kColumns * kRows, kEmpty);
  for (int g = 0; g < kQuatroGridSize; ++g)
    std::copy(std::begin(q.grid[g]), std::end(q.grid[g]), piles.tableau[g]);
  std::copy(std::begin(q.deck), std::end(q.deck), piles.stock);
  piles.stockCount = q.deckTop;
  std::fill(std::begin(piles.waste), std::end(piles.waste), kEmpty);
  piles.waste[0] = q.current;
  return piles;
}

void takeQuatroFromPiles(const KlondikeState& piles, RuleState& s) {
  for (int g = 0; g < kQuatroGridSize; ++g)
    std::copy(piles.tableau[g], piles.tableau[g] + kQuatroGridSize, s.grid[g]);
  std::copy(std::begin(piles.stock), std::end(piles.stock), s.deck);
  s.deckTop = piles.stockCount;
  s.current = piles.waste[0];
  s.wasteTop = piles.wasteTop;
  std::copy(std::begin(piles.foundation), std::end(piles.foundation), s.foundation);
  s.turnCount = piles.turnCount;
  s.vegasRedeals = piles.vegasRedeals;
}

bool keptAsGrid(RuleSet game) { return game == RuleSet::Quatro; }

std::string encode(const RuleState& s, RuleSet game) {
  const KlondikeState p = keptAsGrid(game) ? quatroAsPiles(s, s) : KlondikeState(s);
  Bytes b;
  b.put(&p.tableau[0][0], sizeof p.tableau);
  b.put(p.stock, sizeof p.stock);
  b.put(std::uint8_t(p.stockCount));
  b.put(p.waste, sizeof p.waste);
  b.put(std::uint8_t(p.wasteTop));
  b.put(p.foundation, sizeof p.foundation);
  b.put(std::uint8_t(p.turnCount));
  b.put(s.gridCount);
  b.put(s.pairMode);
  b.put(s.quatroOver);
  b.put32(s.score);
  b.put32(p.vegasRedeals);
  return b.hex();
}

// Reads the hex digits back, strictly: the exact length, lower-case digits only.
class Reader {
 public:
  explicit Reader(std::string_view hex) : hex_(hex) {}
  bool get(std::uint8_t& b) {
    if (pos_ + 2 > hex_.size()) return false;
    int v = 0;
    for (int i = 0; i < 2; ++i) {
      const char c = hex_[pos_++];
      const int d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
      if (d < 0) return false;
      v = v * 16 + d;
    }
    b = std::uint8_t(v);
    return true;
  }
  bool get(std::uint8_t* p, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
      if (!get(p[i])) return false;
    return true;
  }
  bool get(std::int8_t& v) {
    std::uint8_t b = 0;
    if (!get(b)) return false;
    v = std::int8_t(b);
    return true;
  }
  bool get32(std::int32_t& v) {
    std::uint8_t b[4];
    if (!get(b, 4)) return false;
    v = std::int32_t(std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
                     std::uint32_t(b[3]) << 24);
    return true;
  }
  bool done() const { return pos_ == hex_.size(); }

 private:
  std::string_view hex_;
  std::size_t pos_ = 0;
};

// A card place holds a card face up or face down, or nothing.
bool validCode(std::uint8_t code) {
  return code < kDeckSize || (code >= kFaceDown && code < kFaceDown + kDeckSize) || code == kEmpty;
}

bool validCodes(const std::uint8_t* codes, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i)
    if (!validCode(codes[i])) return false;
  return true;
}

// The state of the game not in play is empty but for what the file keeps of it.
std::optional<RuleState> decode(std::string_view hex, RuleSet game) {
  RuleState s = emptyRuleState();
  KlondikeState p = s;
  Reader r(hex);
  const bool read = r.get(&p.tableau[0][0], sizeof p.tableau) && r.get(p.stock, sizeof p.stock) &&
                    r.get(p.stockCount) && r.get(p.waste, sizeof p.waste) && r.get(p.wasteTop) &&
                    r.get(p.foundation, sizeof p.foundation) && r.get(p.turnCount) &&
                    r.get(s.gridCount) && r.get(s.pairMode) && r.get(s.quatroOver) &&
                    r.get32(s.score) && r.get32(p.vegasRedeals) && r.done();
  // Every index the rules take from the state stays inside its pile; Quatro's deck is turned from
  // its top card down.
  const int largestCount = keptAsGrid(game) ? kDeckSize - 1 : kDeckSize;
  const bool inRange = read && validCodes(&p.tableau[0][0], sizeof p.tableau) &&
                       validCodes(p.stock, sizeof p.stock) && validCodes(p.waste, sizeof p.waste) &&
                       validCodes(p.foundation, sizeof p.foundation) &&
                       p.stockCount >= -kDeckSize && p.stockCount <= largestCount &&
                       p.wasteTop >= -1 && p.wasteTop < kDeckSize && s.gridCount <= 16 &&
                       s.pairMode <= 1 && s.quatroOver <= 1 && p.vegasRedeals >= 0;
  if (!inRange) return std::nullopt;
  if (keptAsGrid(game))
    takeQuatroFromPiles(p, s);
  else
    static_cast<KlondikeState&>(s) = p;
  return s;
}

template <std::size_t N>
std::optional<std::size_t> indexOf(const char* const (&names)[N], std::string_view value) {
  for (std::size_t i = 0; i < N; ++i)
    if (value == names[i] && *names[i]) return i;
  return std::nullopt;
}

// The lines of the text in order, each taken as "key=value" with the key expected.
class Lines {
 public:
  explicit Lines(std::string_view text) : text_(text) {}
  std::optional<std::string_view> next() {
    if (pos_ >= text_.size()) return std::nullopt;
    const std::size_t end = text_.find("\r\n", pos_);
    if (end == std::string_view::npos) return std::nullopt;  // every line ends in CR LF
    const std::string_view line = text_.substr(pos_, end - pos_);
    pos_ = end + 2;
    return line;
  }
  std::optional<std::string_view> value(std::string_view key) {
    const std::size_t at = pos_;
    const auto line = next();
    if (line && line->size() > key.size() && line->starts_with(key) && (*line)[key.size()] == '=')
      return line->substr(key.size() + 1);
    pos_ = at;
    return std::nullopt;
  }
  std::size_t position() const { return pos_; }
  bool atEnd() const { return pos_ == text_.size(); }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

std::string formatSavedGame(const SavedGame& g) {
  std::string text;
  const auto line = [&text](const std::string& key, const std::string& value) {
    text += key + "=" + value + "\r\n";
  };
  text += std::string(kHeader) + "\r\n";
  line("Version", std::to_string(kSavedGameVersion));
  line("Game", kGames[std::size_t(g.game)]);
  line("Level", kLevels[std::size_t(g.level)]);
  line("Score", kScoreModes[std::size_t(g.scoreMode)]);
  line("Timed", g.timed ? "1" : "0");
  line("Deal", std::to_string(g.dealNumber));
  line("Seconds", std::to_string(g.seconds));
  line("Ticks", std::to_string(g.tenTicks));
  line("Qualifies", std::to_string(g.qualifies));
  line("Played", g.tracked
                     ? std::to_string(g.tracked->kind) + "," + std::to_string(g.tracked->seconds)
                     : "-");
  line("Table", encode(g.table, g.game));
  for (const RuleState& s : g.undo) line("Undo", encode(s, g.game));
  for (const RuleState& s : g.redo) line("Redo", encode(s, g.game));
  char check[17];
  std::snprintf(check, sizeof check, "%016llx", static_cast<unsigned long long>(checksum(text)));
  line("Check", check);
  return text;
}

SavedGameRead parseSavedGame(std::string_view text) {
  Lines lines(text);
  if (lines.next() != kHeader) return {};
  int version = 0;
  const auto versionText = lines.value("Version");
  if (!versionText || !parseWholeNumber(*versionText, version)) return {};
  if (version > kSavedGameVersion) return {.game = std::nullopt, .futureVersion = true};
  if (version != kSavedGameVersion) return {};

  SavedGame g;
  const auto game = lines.value("Game");
  const auto level = lines.value("Level");
  const auto score = lines.value("Score");
  const auto timed = lines.value("Timed");
  const auto deal = lines.value("Deal");
  const auto seconds = lines.value("Seconds");
  const auto ticks = lines.value("Ticks");
  const auto qualifies = lines.value("Qualifies");
  const auto played = lines.value("Played");
  const auto table = lines.value("Table");
  if (!game || !level || !score || !timed || !deal || !seconds || !ticks || !qualifies || !played ||
      !table)
    return {};
  const auto gameIndex = indexOf(kGames, *game);
  const auto levelIndex = indexOf(kLevels, *level);
  const auto scoreIndex = indexOf(kScoreModes, *score);
  if (!gameIndex || !levelIndex || !scoreIndex || (*timed != "0" && *timed != "1")) return {};
  g.game = RuleSet(*gameIndex);
  g.level = Level(*levelIndex);
  g.scoreMode = ScoreMode(*scoreIndex);
  g.timed = *timed == "1";
  if (!parseWholeNumber(*deal, g.dealNumber) || !parseWholeNumber(*seconds, g.seconds) ||
      g.seconds < 0 || !parseWholeNumber(*ticks, g.tenTicks) || g.tenTicks < 0 || g.tenTicks > 9 ||
      !parseWholeNumber(*qualifies, g.qualifies) || g.qualifies < 0 || g.qualifies > 1)
    return {};
  if (*played != "-") {
    const std::size_t comma = played->find(',');
    TrackedGame tracked;
    if (comma == std::string_view::npos ||
        !parseWholeNumber(played->substr(0, comma), tracked.kind) || tracked.kind < 0 ||
        tracked.kind >= kStatisticsKinds ||
        !parseWholeNumber(played->substr(comma + 1), tracked.seconds) || tracked.seconds < 0)
      return {};
    g.tracked = tracked;
  }
  const auto current = decode(*table, g.game);
  if (!current) return {};
  g.table = *current;
  for (auto* steps : {&g.undo, &g.redo}) {
    const char* key = steps == &g.undo ? "Undo" : "Redo";
    while (const auto step = lines.value(key)) {
      const auto state = decode(*step, g.game);
      if (!state || steps->size() >= kMaxSteps) return {};
      steps->push_back(*state);
    }
  }
  const std::size_t checked = lines.position();
  const auto check = lines.value("Check");
  std::uint64_t sum = 0;
  if (!check || check->size() != 16 ||
      std::from_chars(check->data(), check->data() + 16, sum, 16).ptr != check->data() + 16 ||
      sum != checksum(text.substr(0, checked)) || !lines.atEnd())
    return {};
  return {.game = g, .futureVersion = false};
}

}  // namespace game
