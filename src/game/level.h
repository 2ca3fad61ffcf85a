#pragma once
// The level of a Klondike game: Easy turns one card from the stock, Medium three; Hard turns three
// and moves a card with cards below it only as the whole face-up part of its column.
#include <cstdint>

namespace game {

enum class Level : std::uint8_t { Easy, Medium, Hard };

}  // namespace game
