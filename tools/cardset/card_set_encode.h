#pragma once
// Writing card-set files from 88 x 130 pictures: the PC variant (direct 16-bit colour or a
// 256-entry palette per image) and the planar variant (a shared palette chosen for the
// pictures, optionally with hold-and-modify colour).
#include <cstdint>
#include <span>
#include <vector>

#include "cards/card_image.h"

namespace cards {

// 16-bit colour word: 5 bits each of red (bits 10..14), green (5..9), blue (0..4).
std::uint16_t ToColourWord(Rgb colour);

// A PC set of the given images (57 for a complete set: sheet cells 2..58; fewer make a shorter
// file). Direct colour keeps the top 5 bits of every component; indexed colour chooses a
// palette per image and is exact for pictures of at most 256 colours after that reduction.
std::vector<std::uint8_t> EncodePcSet(std::span<const CardImage> images, bool indexed);

struct PlanarOptions {
  unsigned depth = 8;        // D: bitplanes, 1..8
  bool ham = false;          // hold-and-modify (needs 6 or 8 planes)
  std::uint32_t stride = 0;  // image stride; 0 for the tightest (1430 x D bytes)
  Rgb tableColour;           // palette entry 0: the Amiga scheme's table colour
  Rgb outlineColour;         // palette entry 1
  Rgb selectColour;          // palette entry 2: the Amiga scheme's selection colour
};

// A planar set of up to 255 images (image i for sheet cell i). Entries 0..2 of the palette are
// the three colours of `options` (as far as the palette holds them); the others are chosen for
// the pictures. With HAM, every pixel takes the palette entry or the red, green or blue step
// nearest to it given the colour to its left.
std::vector<std::uint8_t> EncodePlanarSet(std::span<const CardImage> images,
                                          const PlanarOptions& options);

// The pixel values of one HAM row for the given palette (eight-plane or six-plane rule).
std::vector<std::uint8_t> EncodeHamRow(const Rgb* row, int width, std::span<const Rgb> palette,
                                       bool eightPlanes);

}  // namespace cards
