// The shipped card sets as the game decodes them: the index of every face reads in the rows a
// fanned column leaves uncovered (15, or 8 on small screens), and the court figures differ.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cards/card_set_decode.h"
#include "tests/cards/card_test_pictures.h"

namespace cards {
namespace {

std::vector<std::uint8_t> ReadShipped(const std::string& name) {
  std::ifstream in(std::string(SHIPPED_DECK_DIR) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

CardSheet DecodeShipped(const std::string& name) { return testing::DecodeSheet(ReadShipped(name)); }

CardImage Face(const CardSheet& sheet, int value) { return sheet.cellImage(3 + value); }

bool Inked(Rgb c) { return std::min({c.r, c.g, c.b}) < 200; }

// Pixels of rows [top, bottom) whose colours differ clearly in some component.
int DifferingPixels(const CardImage& a, const CardImage& b, int top, int bottom) {
  int count = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = 0; x < kCardWidth; ++x) {
      const Rgb p = a.at(x, y), q = b.at(x, y);
      if (std::max({std::abs(p.r - q.r), std::abs(p.g - q.g), std::abs(p.b - q.b)}) > 48) ++count;
    }
  return count;
}

class ShippedDeck : public ::testing::TestWithParam<const char*> {
 protected:
  const CardSheet sheet = DecodeShipped(GetParam());
};

TEST_P(ShippedDeck, TopFifteenRowsTellEveryFaceApartAndTopEightTheRank) {
  for (int a = 0; a < 52; ++a)
    for (int b = a + 1; b < 52; ++b) {
      EXPECT_GE(DifferingPixels(Face(sheet, a), Face(sheet, b), 0, 15), 3) << a << " and " << b;
      if (a % 4 == b % 4) {
        EXPECT_GE(DifferingPixels(Face(sheet, a), Face(sheet, b), 0, 8), 3) << a << " and " << b;
      }
    }
}

// The rank ends above row 8 and the whole index above row 15: the columns left of the pips and
// the portrait are blank in rows 8 (x < 11) and 15 to 16 (x < 18).
TEST_P(ShippedDeck, IndexEndsInsideTheUncoveredRows) {
  for (int value = 0; value < 52; ++value) {
    const CardImage face = Face(sheet, value);
    for (int x = 2; x < 18; ++x) {
      if (x < 11) {
        EXPECT_FALSE(Inked(face.at(x, 8))) << "face " << value << " x " << x;
      }
      EXPECT_FALSE(Inked(face.at(x, 15)) || Inked(face.at(x, 16)))
          << "face " << value << " x " << x;
    }
  }
}

// Each court figure differs from every other in at least a twentieth of the card's pixels (a
// figure repeated with another suit pip differs in about one in two hundred).
TEST_P(ShippedDeck, TwelveCourtFiguresDifferPairwise) {
  for (int a = 40; a < 52; ++a)
    for (int b = a + 1; b < 52; ++b)
      EXPECT_GE(DifferingPixels(Face(sheet, a), Face(sheet, b), 0, kCardHeight),
                kCardWidth * kCardHeight / 20)
          << a << " and " << b;
}

// Any Ace may start any foundation, so the four empty foundations show one picture and no suit:
// its pixels are greys and pale greens (a six-plane HAM edge strays by up to 38), never the
// pinks of a faint red suit (a spread of 60).
TEST_P(ShippedDeck, EmptyFoundationsCarryNoSuit) {
  const CardImage first = sheet.cellImage(55);
  for (int k = 1; k < 4; ++k) EXPECT_EQ(sheet.cellImage(55 + k), first) << "foundation " << k;
  for (int y = 0; y < kCardHeight; ++y)
    for (int x = 0; x < kCardWidth; ++x) {
      const Rgb c = first.at(x, y);
      EXPECT_LE(std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b}), 48) << x << ", " << y;
    }
}

// The game draws from the sheet in its 32-bit pixel format.
TEST_P(ShippedDeck, Rgb32SheetShowsTheSamePictures) {
  EXPECT_EQ(testing::Rgb32Mismatch(testing::DecodeRgb32Sheet(ReadShipped(GetParam())), sheet), "");
}

INSTANTIATE_TEST_SUITE_P(Sets, ShippedDeck,
                         ::testing::Values("Vessant.tvp", "Vessant-Amiga.tavi",
                                           "Vessant-Amiga6.tavi", "Vessant-Amiga32.tavi"));

}  // namespace
}  // namespace cards
