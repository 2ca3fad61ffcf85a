#include "cards/svg_deck_text.h"

#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <string_view>

namespace cards {
namespace {

bool isGzip(ByteView file) { return file.size() >= 2 && file[0] == 0x1f && file[1] == 0x8b; }

std::optional<std::string> inflateGzip(ByteView file) {
  z_stream stream{};
  if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK) return std::nullopt;
  stream.next_in = const_cast<Bytef*>(file.data());
  stream.avail_in = uInt(file.size());
  std::string text;
  int status = Z_OK;
  while (status == Z_OK) {
    const std::size_t chunk = 1u << 20;
    if (text.size() > kSvgDeckTextLimit) break;
    const std::size_t used = text.size();
    text.resize(used + chunk);
    stream.next_out = reinterpret_cast<Bytef*>(text.data() + used);
    stream.avail_out = uInt(chunk);
    status = inflate(&stream, Z_NO_FLUSH);
    text.resize(used + chunk - stream.avail_out);
  }
  inflateEnd(&stream);
  if (status != Z_STREAM_END || text.size() > kSvgDeckTextLimit) return std::nullopt;
  return text;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == b;
         });
}

// A reference inside the document: a fragment of it, or data carried in it.
bool staysInside(std::string_view target) {
  while (!target.empty() && std::isspace(static_cast<unsigned char>(target.front())))
    target.remove_prefix(1);
  if (!target.empty() && (target.front() == '"' || target.front() == '\'')) target.remove_prefix(1);
  return target.empty() || target.front() == '#' || startsWithNoCase(target, "data:");
}

// True when every occurrence of `key` is followed (after blanks, and `separator` when given) by
// a reference that stays inside the document.
bool referencesStayInside(std::string_view text, std::string_view key, char separator) {
  for (std::size_t at = text.find(key); at != std::string_view::npos; at = text.find(key, at + 1)) {
    std::size_t i = at + key.size();
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    if (separator != 0) {
      if (i >= text.size() || text[i] != separator) continue;  // a word, not an attribute
      ++i;
    }
    if (!staysInside(text.substr(i, 64))) return false;
  }
  return true;
}

bool isNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.' ||
         c == ':';
}

// References to entities other than the five of XML itself and character references.
std::size_t entityReferences(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t at = text.find('&'); at != std::string_view::npos; at = text.find('&', at + 1)) {
    std::size_t end = at + 1;
    while (end < text.size() && isNameChar(text[end])) ++end;
    if (end == at + 1 || end >= text.size() || text[end] != ';') continue;
    const std::string_view name = text.substr(at + 1, end - at - 1);
    if (name != "amp" && name != "lt" && name != "gt" && name != "quot" && name != "apos") ++count;
  }
  return count;
}

bool declaresExternalEntity(std::string_view text) {
  for (std::size_t at = text.find("<!ENTITY"); at != std::string_view::npos;
       at = text.find("<!ENTITY", at + 1)) {
    const std::string_view declaration = text.substr(at, text.find('>', at) - at);
    if (declaration.find("SYSTEM") != std::string_view::npos ||
        declaration.find("PUBLIC") != std::string_view::npos)
      return true;
  }
  return false;
}

}  // namespace

std::string svgCardId(int card) {
  if (card == 0) return "back";
  static const char* const kRanks[] = {"1", "2", "3",  "4",    "5",     "6",   "7",
                                       "8", "9", "10", "jack", "queen", "king"};
  static const char* const kSuits[] = {"club", "diamond", "heart", "spade"};
  return std::string(kRanks[(card - 1) >> 2]) + '_' + kSuits[(card - 1) & 3];
}

std::optional<std::string> svgDeckText(ByteView file) {
  if (file.size() > kSvgDeckFileLimit) return std::nullopt;
  std::optional<std::string> text =
      isGzip(file) ? inflateGzip(file) : std::string(file.begin(), file.end());
  if (!text) return std::nullopt;
  const std::string_view view = *text;
  if (!referencesStayInside(view, "href", '=') || !referencesStayInside(view, "url(", 0) ||
      view.find("@import") != std::string_view::npos || declaresExternalEntity(view) ||
      entityReferences(view) > kSvgDeckEntityReferenceLimit)
    return std::nullopt;
  return text;
}

}  // namespace cards
