#pragma once
// Choosing a small palette for a set of pictures (median cut refined by a few k-means rounds)
// and mapping colours to their nearest palette entry.
#include <cstddef>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

#include "cards/card_image.h"

namespace cards {

struct ColourCount {
  Rgb colour;
  std::uint64_t count = 0;
};

// Distinct colours of the pictures with how often each occurs.
std::vector<ColourCount> CountColours(std::span<const CardImage> images);

inline int SquaredDistance(Rgb a, Rgb b) {
  const int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
  return dr * dr + dg * dg + db * db;
}

// A palette of exactly `size` entries whose first entries are `fixed` (as far as they fit).
// When the colours not among the fixed entries fit into the free entries, they are taken as
// they are (so such pictures map exactly); otherwise median cut chooses them. Unused entries
// repeat entry 0.
std::vector<Rgb> ChoosePalette(std::vector<ColourCount> colours, std::size_t size,
                               std::span<const Rgb> fixed = {});

// Index of the nearest palette entry (squared distance; the lowest index on ties), cached.
class NearestColour {
 public:
  explicit NearestColour(std::span<const Rgb> palette) : palette_(palette) {}
  std::uint8_t operator()(Rgb colour);

 private:
  std::span<const Rgb> palette_;
  std::unordered_map<std::uint32_t, std::uint8_t> cache_;
};

}  // namespace cards
