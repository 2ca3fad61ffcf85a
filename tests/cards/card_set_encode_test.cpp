// Round trips through our card-set encoder and the decoder, for every variant.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "cards/card_set_decode.h"
#include "tests/cards/card_test_pictures.h"
#include "tools/cardset/card_set_encode.h"
#include "tools/cardset/palette_choice.h"

namespace cards {
namespace {

using testing::DecodeSheet;
using testing::DistinctColours;
using testing::GradientPicture;
using testing::NoisePicture;
using testing::PalettePicture;
using testing::Reduced;

struct Error {
  int largest = 0;  // largest difference of one component
  double mean = 0;  // mean difference per component
};

Error Compare(const CardImage& a, const CardImage& b) {
  Error error;
  long total = 0;
  for (std::size_t i = 0; i < a.rgb.size(); ++i) {
    const int d = std::abs(int(a.rgb[i]) - int(b.rgb[i]));
    error.largest = std::max(error.largest, d);
    total += d;
  }
  error.mean = double(total) / double(a.rgb.size());
  return error;
}

// Something like one of our cards: white face, dark outline, a red and a black shape with
// soft (anti-aliased) edges.
CardImage CardLikePicture() {
  CardImage image;
  for (int y = 0; y < kCardHeight; ++y)
    for (int x = 0; x < kCardWidth; ++x) {
      Rgb c{255, 255, 255};
      const double red = std::hypot(x - 30, y - 40) - 14, black = std::hypot(x - 58, y - 90) - 16;
      auto blend = [](Rgb a, Rgb b, double t) {
        t = std::clamp(t, 0.0, 1.0);
        return Rgb{std::uint8_t(a.r + (b.r - a.r) * t), std::uint8_t(a.g + (b.g - a.g) * t),
                   std::uint8_t(a.b + (b.b - a.b) * t)};
      };
      c = blend(c, {200, 16, 32}, 0.5 - red);
      c = blend(c, {20, 20, 28}, 0.5 - black);
      if (x == 0 || y == 0 || x == kCardWidth - 1 || y == kCardHeight - 1) c = {36, 36, 40};
      image.set(x, y, c);
    }
  return image;
}

TEST(PcRoundTrip, DirectColourIsExactAtFiveBitsPerComponent) {
  std::vector<CardImage> images;
  for (unsigned i = 0; i < 57; ++i) images.push_back(NoisePicture(i));
  const CardSheet sheet = DecodeSheet(EncodePcSet(images, false));
  for (int i = 0; i < 57; ++i)
    ASSERT_EQ(sheet.cellImage(i + 2), Reduced(images[std::size_t(i)])) << "image " << i;
}

TEST(PcRoundTrip, IndexedColourIsExactForPicturesOf256Colours) {
  std::vector<Rgb> colours;
  for (Rgb c : DistinctColours(4000, 7)) {
    const Rgb reduced{std::uint8_t(c.r & 0xF8), std::uint8_t(c.g & 0xF8), std::uint8_t(c.b & 0xF8)};
    if (std::find(colours.begin(), colours.end(), reduced) == colours.end())
      colours.push_back(reduced);
    if (colours.size() == 256) break;
  }
  ASSERT_EQ(colours.size(), 256u);
  std::vector<CardImage> images;
  for (unsigned i = 0; i < 57; ++i) images.push_back(PalettePicture(colours, i));
  const CardSheet sheet = DecodeSheet(EncodePcSet(images, true));
  for (int i = 0; i < 57; ++i)
    ASSERT_EQ(sheet.cellImage(i + 2), images[std::size_t(i)]) << "image " << i;
}

TEST(PcRoundTrip, IndexedColourApproximatesPicturesOfManyColours) {
  const CardImage gradient = GradientPicture(3);
  const CardSheet sheet = DecodeSheet(EncodePcSet({&gradient, 1}, true));
  const Error error = Compare(sheet.cellImage(2), Reduced(gradient));
  EXPECT_LT(error.mean, 4.5);
  EXPECT_LT(error.largest, 24);
}

TEST(PlanarRoundTrip, PlainPlanesAreExactThroughThePalette) {
  const Rgb table{0, 92, 60}, outline{36, 36, 40}, select{255, 196, 0};
  for (unsigned depth = 1; depth <= 8; ++depth) {
    const std::size_t paletteSize = planarPaletteSize(depth, false);
    std::vector<Rgb> colours{table, outline, select};
    colours.resize(std::min<std::size_t>(paletteSize, 3));
    for (Rgb c : DistinctColours(paletteSize - colours.size(), depth)) colours.push_back(c);
    std::vector<CardImage> images;
    for (unsigned i = 0; i < 59; ++i) images.push_back(PalettePicture(colours, i * 31 + depth));
    PlanarOptions options;
    options.depth = depth;
    options.tableColour = table;
    options.outlineColour = outline;
    options.selectColour = select;
    const std::vector<std::uint8_t> file = EncodePlanarSet(images, options);
    CardSetInfo info;
    const CardSheet sheet = DecodeSheet(file, &info);
    EXPECT_EQ(info.format, CardSetFormat::Planar);
    EXPECT_EQ(info.amigaTableColour, colourValue(table));
    if (depth >= 2) {
      EXPECT_EQ(info.amigaSelectColour, colourValue(select));
    }
    for (int i = 0; i <= 58; ++i)
      ASSERT_EQ(sheet.cellImage(i), images[std::size_t(i)]) << "depth " << depth << " image " << i;
  }
}

TEST(PlanarRoundTrip, HamStaysCloseToThePicture) {
  const std::vector<CardImage> images{GradientPicture(1), GradientPicture(20), CardLikePicture(),
                                      NoisePicture(5)};
  struct Bound {
    unsigned depth;
    double smoothMean, cardMean, noiseMean;
  };
  // Mean error per component: smooth pictures and cards come out close; noise (a new colour
  // at every pixel, the worst case for HAM) stays bounded.
  for (const Bound bound : {Bound{8, 2.0, 0.5, 20.0}, Bound{6, 6.0, 2.0, 30.0}}) {
    PlanarOptions options;
    options.depth = bound.depth;
    options.ham = true;
    const CardSheet sheet = DecodeSheet(EncodePlanarSet(images, options));
    for (int i : {0, 1})
      EXPECT_LT(Compare(sheet.cellImage(i), images[std::size_t(i)]).mean, bound.smoothMean)
          << bound.depth;
    EXPECT_LT(Compare(sheet.cellImage(2), images[2]).mean, bound.cardMean) << bound.depth;
    EXPECT_LT(Compare(sheet.cellImage(3), images[3]).mean, bound.noiseMean) << bound.depth;
  }
}

TEST(PlanarRoundTrip, WiderStrideIsSkipped) {
  const std::vector<Rgb> colours = DistinctColours(20, 3);
  const std::vector<CardImage> images{PalettePicture(colours, 1), PalettePicture(colours, 2),
                                      PalettePicture(colours, 3)};
  PlanarOptions options;
  options.depth = 5;
  options.stride = 7150 + 1001;
  const std::vector<std::uint8_t> file = EncodePlanarSet(images, options);
  EXPECT_EQ(readPlanarHeader(file).stride, 8151u);
  const CardSheet sheet = DecodeSheet(file);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(sheet.cellImage(i), images[std::size_t(i)]);
}

TEST(Encoder, RejectsWhatTheFormatCannotHold) {
  const std::vector<CardImage> one(1);
  auto planar = [&](unsigned depth, bool ham, std::uint32_t stride) {
    PlanarOptions options;
    options.depth = depth;
    options.ham = ham;
    options.stride = stride;
    return EncodePlanarSet(one, options);
  };
  EXPECT_THROW(planar(0, false, 0), std::invalid_argument);
  EXPECT_THROW(planar(9, false, 0), std::invalid_argument);
  EXPECT_THROW(planar(7, true, 0), std::invalid_argument);
  EXPECT_THROW(planar(8, false, 11439), std::invalid_argument);
  EXPECT_NO_THROW(planar(6, true, 0));
  EXPECT_THROW(EncodePcSet(std::vector<CardImage>(58), false), std::invalid_argument);
}

TEST(PaletteChoice, KeepsFixedEntriesFirstAndFillsToSize) {
  const Rgb fixed[] = {{1, 2, 3}, {4, 5, 6}};
  std::vector<ColourCount> colours{{{1, 2, 3}, 50}, {{200, 0, 0}, 5}, {{0, 200, 0}, 5}};
  const std::vector<Rgb> palette = ChoosePalette(colours, 8, fixed);
  ASSERT_EQ(palette.size(), 8u);
  EXPECT_EQ(palette[0], fixed[0]);
  EXPECT_EQ(palette[1], fixed[1]);
  EXPECT_EQ(std::count(palette.begin(), palette.end(), Rgb{200, 0, 0}), 1);
  EXPECT_EQ(std::count(palette.begin(), palette.end(), Rgb{0, 200, 0}), 1);
}

TEST(PaletteChoice, MedianCutSpreadsEntriesOverManyColours) {
  const CardImage noise = NoisePicture(11);
  const std::vector<Rgb> palette = ChoosePalette(CountColours({&noise, 1}), 64);
  ASSERT_EQ(palette.size(), 64u);
  NearestColour nearest(palette);
  long total = 0;
  for (int y = 0; y < kCardHeight; ++y)
    for (int x = 0; x < kCardWidth; ++x)
      total += SquaredDistance(noise.at(x, y), palette[nearest(noise.at(x, y))]);
  // Uniform noise in a cube of 256: 64 cells of side 64 leave an RMS error of about 32 per
  // component; a degenerate palette is far worse.
  EXPECT_LT(std::sqrt(double(total) / (kCardWidth * kCardHeight) / 3), 40.0);
}

TEST(HamEncoder, FollowsAOneComponentGradientWithModifySteps) {
  const std::vector<Rgb> palette{{50, 60, 70}, {0, 0, 0}, {255, 255, 255}};
  std::vector<Rgb> row;
  for (int x = 0; x < kCardWidth; ++x) row.push_back({50, 60, std::uint8_t(70 + 2 * x)});
  const std::vector<std::uint8_t> values = EncodeHamRow(row.data(), kCardWidth, palette, true);
  EXPECT_EQ(values[0], 0);  // the exact palette entry wins a tie
  for (int x = 1; x < kCardWidth; ++x) {
    EXPECT_EQ(values[std::size_t(x)] >> 6, 1) << x;                                 // a blue step
    EXPECT_LE(std::abs((values[std::size_t(x)] & 63) * 4 - (70 + 2 * x)), 2) << x;  // nearest level
  }
}

}  // namespace
}  // namespace cards
