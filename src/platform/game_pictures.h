#pragma once
// The game's own pictures, drawn by tools/picture_maker at build time and embedded as JPEG data.
// Decode with platform::decodeJpeg(platform::pictures::jpeg(id)).
#include <span>

namespace platform::pictures {

enum class Id {
  HighscoreBackground,  // 351 x 451: heading and ten framed bars behind the highscore rows
  EndGame,              // 300 x 200: congratulation with a "click to continue" hint
  AboutLogo,            // 169 x 130: the game's logo
  FirstPortrait,        // 100 x 120: the first author's drawn portrait
  SecondPortrait,       // 100 x 120: the second author's drawn portrait
};

// The JPEG bytes of a picture; valid for the whole run.
std::span<const unsigned char> jpeg(Id id);

}  // namespace platform::pictures
