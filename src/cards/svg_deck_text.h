#pragma once
// The checks an SVG card deck passes before Qt SVG sees it, without any toolkit: the size of the
// file and of its inflated text, and nothing that reaches outside the file.
#include <cstddef>
#include <optional>
#include <string>

#include "cards/card_set_decode.h"

namespace cards {

// A deck file larger than this is refused unread; desktop decks take up to about 3.5 MB.
inline constexpr std::size_t kSvgDeckFileLimit = 32u << 20;
// A compressed deck whose text inflates beyond this is refused (desktop decks: up to 12 MB).
inline constexpr std::size_t kSvgDeckTextLimit = 64u << 20;
// References to declared entities beyond this many are refused: each one may expand to as many
// characters as Qt's XML reader allows an entity, and together they must stay small.
inline constexpr std::size_t kSvgDeckEntityReferenceLimit = 10'000;

// The element id of a card in the desktop card themes' naming: card 0 "back", card 1 + rank * 4
// + suit (ranks ace to king, suits clubs, diamonds, hearts, spades) "1_club" .. "king_spade".
inline constexpr int kSvgDeckCards = 53;
std::string svgCardId(int card);

// The document text of an SVG deck file, plain or gzip-compressed (*.svgz), or nothing when the
// file or its text is too large, the compressed data is broken, or the document refers to
// anything outside itself: an href or url() that is neither a "#" fragment nor "data:", a CSS
// @import, an external entity, or too many entity references.
std::optional<std::string> svgDeckText(ByteView file);

}  // namespace cards
