#pragma once
// A decimal number that makes up the whole of a text: the one number reader of the game's text
// files (statistics, the kept game) and of positions written as text.
#include <charconv>
#include <string_view>

namespace game {

// False, with `value` untouched, unless `text` is exactly one number of T's range.
template <class T>
bool parseWholeNumber(std::string_view text, T& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

}  // namespace game
