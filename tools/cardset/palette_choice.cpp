#include "tools/cardset/palette_choice.h"

#include <algorithm>
#include <array>
#include <limits>

namespace cards {
namespace {

std::uint32_t Key(Rgb c) { return colourValue(c); }

std::uint8_t Component(Rgb c, int axis) { return axis == 0 ? c.r : axis == 1 ? c.g : c.b; }

// A box of the median cut: a range of `colours`.
struct Box {
  std::size_t begin, end;
  int axis = 0;   // component with the widest range
  int range = 0;  // that range
  std::uint64_t weight = 0;
};

Box Measure(const std::vector<ColourCount>& colours, std::size_t begin, std::size_t end) {
  Box box{begin, end};
  std::array<int, 3> low{255, 255, 255}, high{0, 0, 0};
  for (std::size_t i = begin; i < end; ++i) {
    box.weight += colours[i].count;
    for (int axis = 0; axis < 3; ++axis) {
      low[axis] = std::min<int>(low[axis], Component(colours[i].colour, axis));
      high[axis] = std::max<int>(high[axis], Component(colours[i].colour, axis));
    }
  }
  for (int axis = 0; axis < 3; ++axis)
    if (high[axis] - low[axis] > box.range) box.range = high[axis] - low[axis], box.axis = axis;
  return box;
}

Rgb Mean(const std::vector<ColourCount>& colours, std::size_t begin, std::size_t end) {
  std::array<std::uint64_t, 3> sum{};
  std::uint64_t weight = 0;
  for (std::size_t i = begin; i < end; ++i) {
    for (int axis = 0; axis < 3; ++axis)
      sum[axis] += Component(colours[i].colour, axis) * colours[i].count;
    weight += colours[i].count;
  }
  if (weight == 0) return colours[begin].colour;
  return {std::uint8_t((sum[0] + weight / 2) / weight),
          std::uint8_t((sum[1] + weight / 2) / weight),
          std::uint8_t((sum[2] + weight / 2) / weight)};
}

// Splits the colours into `count` boxes, always the box with the largest weighted range first,
// at the weighted median of its widest component.
std::vector<Rgb> MedianCut(std::vector<ColourCount>& colours, std::size_t count) {
  std::vector<Box> boxes{Measure(colours, 0, colours.size())};
  while (boxes.size() < count) {
    auto widest = std::max_element(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
      return double(a.range) * double(a.weight) < double(b.range) * double(b.weight);
    });
    if (widest->range == 0) break;
    const Box box = *widest;
    std::sort(colours.begin() + std::ptrdiff_t(box.begin),
              colours.begin() + std::ptrdiff_t(box.end),
              [axis = box.axis](const ColourCount& a, const ColourCount& b) {
                return Component(a.colour, axis) < Component(b.colour, axis);
              });
    std::uint64_t half = 0;
    std::size_t split = box.begin + 1;
    for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
      half += colours[i].count;
      split = i + 1;
      if (2 * half >= box.weight) break;
    }
    *widest = Measure(colours, box.begin, split);
    boxes.push_back(Measure(colours, split, box.end));
  }
  std::vector<Rgb> result;
  for (const Box& box : boxes) result.push_back(Mean(colours, box.begin, box.end));
  return result;
}

// Lloyd rounds: every free entry moves to the weighted mean of the colours nearest to it.
void Refine(const std::vector<ColourCount>& colours, std::vector<Rgb>& palette,
            std::size_t firstFree) {
  for (int round = 0; round < 4; ++round) {
    std::vector<std::array<std::uint64_t, 4>> sums(palette.size());
    for (const ColourCount& c : colours) {
      std::size_t best = 0;
      int bestDistance = std::numeric_limits<int>::max();
      for (std::size_t i = 0; i < palette.size(); ++i) {
        const int d = SquaredDistance(c.colour, palette[i]);
        if (d < bestDistance) bestDistance = d, best = i;
      }
      sums[best][0] += c.colour.r * c.count;
      sums[best][1] += c.colour.g * c.count;
      sums[best][2] += c.colour.b * c.count;
      sums[best][3] += c.count;
    }
    for (std::size_t i = firstFree; i < palette.size(); ++i) {
      const std::uint64_t w = sums[i][3];
      if (w != 0)
        palette[i] = {std::uint8_t((sums[i][0] + w / 2) / w),
                      std::uint8_t((sums[i][1] + w / 2) / w),
                      std::uint8_t((sums[i][2] + w / 2) / w)};
    }
  }
}

}  // namespace

std::vector<ColourCount> CountColours(std::span<const CardImage> images) {
  std::unordered_map<std::uint32_t, ColourCount> counts;
  for (const CardImage& image : images)
    for (std::size_t i = 0; i < image.rgb.size(); i += 3) {
      const Rgb c{image.rgb[i], image.rgb[i + 1], image.rgb[i + 2]};
      ColourCount& entry = counts[Key(c)];
      entry.colour = c;
      ++entry.count;
    }
  std::vector<ColourCount> result;
  result.reserve(counts.size());
  for (const auto& [key, entry] : counts) result.push_back(entry);
  std::sort(result.begin(), result.end(), [](const ColourCount& a, const ColourCount& b) {
    return Key(a.colour) < Key(b.colour);
  });
  return result;
}

std::vector<Rgb> ChoosePalette(std::vector<ColourCount> colours, std::size_t size,
                               std::span<const Rgb> fixed) {
  std::vector<Rgb> palette(fixed.begin(),
                           fixed.begin() + std::ptrdiff_t(std::min(size, fixed.size())));
  const std::size_t firstFree = palette.size();
  std::erase_if(colours, [&](const ColourCount& c) {
    return std::find(palette.begin(), palette.end(), c.colour) != palette.end();
  });
  const std::size_t freeEntries = size - firstFree;
  if (colours.size() <= freeEntries) {
    for (const ColourCount& c : colours) palette.push_back(c.colour);
  } else if (freeEntries > 0) {
    for (Rgb c : MedianCut(colours, freeEntries)) palette.push_back(c);
    Refine(colours, palette, firstFree);
  }
  const Rgb filler = palette.empty() ? Rgb{} : palette[0];
  palette.resize(size, filler);
  return palette;
}

std::uint8_t NearestColour::operator()(Rgb colour) {
  const auto [it, inserted] = cache_.try_emplace(Key(colour), 0);
  if (inserted) {
    int bestDistance = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < palette_.size(); ++i) {
      const int d = SquaredDistance(colour, palette_[i]);
      if (d < bestDistance) bestDistance = d, it->second = std::uint8_t(i);
    }
  }
  return it->second;
}

}  // namespace cards
