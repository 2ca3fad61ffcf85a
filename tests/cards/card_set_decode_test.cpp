// Header rules and hostile files of the card-set decoder.
#include <gtest/gtest.h>

#include "cards/card_set_decode.h"
#include "tests/cards/card_test_pictures.h"
#include "tools/cardset/card_set_encode.h"

namespace cards {
namespace {

using testing::AllZero;
using testing::DecodeRgb32Sheet;
using testing::DecodeSheet;
using testing::GradientPictures;
using testing::HandMadePlanarFile;
using testing::IsBlack;
using testing::PutBigEndian32;
using testing::Reduced;
using testing::Rgb32Mismatch;
using testing::RowValues;
using testing::SolidValues;

void ExpectBlackCells(const CardSheet& sheet, std::initializer_list<int> cells) {
  for (int cell : cells) EXPECT_TRUE(IsBlack(sheet.cellImage(cell))) << "cell " << cell;
}

// --- PC variant ---------------------------------------------------------------------------

TEST(PcCardSet, ImagesFillCells2To58AndTheRestStaysBlack) {
  const std::vector<CardImage> images = GradientPictures(57);
  for (bool indexed : {false, true}) {
    const std::vector<std::uint8_t> file = EncodePcSet(images, indexed);
    EXPECT_EQ(file.size(), indexed ? 681'514u : 1'304'410u);
    CardSetInfo info;
    const CardSheet sheet = DecodeSheet(file, &info);
    EXPECT_TRUE(info.hasSheet);
    EXPECT_EQ(info.format, CardSetFormat::Pc);
    for (int cell = 2; cell <= 58; ++cell) {
      // Gradients have more than 256 colours, so only the direct variant is exact here.
      if (!indexed)
        EXPECT_EQ(sheet.cellImage(cell), Reduced(images[std::size_t(cell - 2)])) << "cell " << cell;
      else
        EXPECT_FALSE(IsBlack(sheet.cellImage(cell)));
    }
    ExpectBlackCells(sheet, {0, 1, 59, 60, 61, 62, 63});
  }
}

TEST(PcCardSet, ColourWordsExpandFiveBitComponentsTimesEightAndIgnoreBit15) {
  std::vector<std::uint8_t> file(pcRecordOffset(1, false));
  std::memcpy(file.data(), "PCTAVI", 6);
  file[20] = 16;
  const struct {
    std::uint16_t word;
    Rgb colour;
  } pixels[] = {{0xFFFF, {248, 248, 248}}, {0x7C00, {248, 0, 0}}, {0x03E0, {0, 248, 0}},
                {0x001F, {0, 0, 248}},     {0x0421, {8, 8, 8}},   {0x8000, {0, 0, 0}}};
  for (std::size_t i = 0; i < std::size(pixels); ++i) {
    file[22 + 4 + 2 * i] = std::uint8_t(pixels[i].word & 0xFF);
    file[22 + 5 + 2 * i] = std::uint8_t(pixels[i].word >> 8);
  }
  CardImage image;
  ASSERT_TRUE(decodePcImage(image.target(), file, 0, false));
  for (std::size_t i = 0; i < std::size(pixels); ++i)
    EXPECT_EQ(image.at(int(i), 0), pixels[i].colour) << std::hex << pixels[i].word;
}

TEST(PcCardSet, Byte21IsIgnoredAndByte20OtherThan16MeansIndexed) {
  std::vector<std::uint8_t> indexed = EncodePcSet(GradientPictures(57), true);
  const CardSheet reference = DecodeSheet(indexed);
  for (std::uint8_t count : {0, 1, 56, 58, 255}) {
    indexed[21] = count;
    EXPECT_EQ(DecodeSheet(indexed).rgb, reference.rgb) << "byte 21 = " << int(count);
  }
  for (std::uint8_t format : {0, 8, 15, 17, 255}) {
    indexed[20] = format;
    EXPECT_EQ(DecodeSheet(indexed).rgb, reference.rgb) << "byte 20 = " << int(format);
  }
  // The same bytes read as direct colour give other pictures.
  indexed[20] = 16;
  EXPECT_NE(DecodeSheet(indexed).rgb, reference.rgb);
}

TEST(PcCardSet, ShortFileLeavesMissingAndPartialImagesBlack) {
  const std::vector<CardImage> images = GradientPictures(57);
  std::vector<std::uint8_t> file = EncodePcSet(images, false);
  file.resize(pcRecordOffset(10, false) + kPcDirectRecordSize / 2);  // 10 images and a half
  const CardSheet sheet = DecodeSheet(file);
  for (int cell = 2; cell < 12; ++cell)
    EXPECT_EQ(sheet.cellImage(cell), Reduced(images[std::size_t(cell - 2)]));
  for (int cell = 12; cell <= 58; ++cell)
    EXPECT_TRUE(IsBlack(sheet.cellImage(cell))) << "cell " << cell;
}

// --- planar header rules --------------------------------------------------------------------

TEST(PlanarHeader, PaletteSizeFollowsPlanesAndHam) {
  const struct {
    unsigned depth;
    bool ham;
    std::size_t entries;
  } sizes[] = {{6, true, 16}, {8, true, 64},   {5, false, 32},    {8, false, 256}, {1, false, 2},
               {0, false, 1}, {9, false, 256}, {255, false, 256}, {12, true, 256}, {1, true, 1}};
  for (const auto& size : sizes)  // past 8 planes the palette is capped at 256 entries
    EXPECT_EQ(planarPaletteSize(size.depth, size.ham), size.entries)
        << size.depth << (size.ham ? " HAM" : "");

  std::vector<std::uint8_t> file(64);
  std::memcpy(file.data(), "TAVI", 4);
  PutBigEndian32(file, 8, 0x01020304);
  file[18] = 0x08;  // 0x800: HAM
  file[20] = 12;
  file[21] = 200;
  const PlanarHeader h = readPlanarHeader(file);
  EXPECT_EQ(h.stride, 0x01020304u);
  EXPECT_TRUE(h.ham);
  EXPECT_EQ(h.planes, 8u);
  EXPECT_EQ(h.paletteSize, 256u);
  EXPECT_EQ(h.imagesUsed, 59u);
  EXPECT_EQ(h.imageOffset(2), 22u + 768u + 2u * 0x01020304u);
}

TEST(PlanarHeader, SchemeColoursComeFromFixedOffsetsEvenWithOnePlane) {
  // One plane: the palette ends at offset 28, so bytes 28..30 are already picture data.
  std::vector<std::uint8_t> file =
      HandMadePlanarFile(1, false, {{10, 20, 30}, {40, 50, 60}}, {SolidValues(0)});
  file[28] = 0x11, file[29] = 0x22, file[30] = 0x33;
  CardSetInfo info;
  DecodeSheet(file, &info);
  EXPECT_EQ(info.format, CardSetFormat::Planar);
  EXPECT_EQ(info.amigaTableColour, 10u + 20u * 256u + 30u * 65536u);
  EXPECT_EQ(info.amigaSelectColour, 0x332211u);
}

std::vector<std::vector<std::uint8_t>> DistinctImages(int count) {
  std::vector<std::vector<std::uint8_t>> images;
  for (int i = 0; i < count; ++i) images.push_back(SolidValues(std::uint8_t(i + 1)));
  return images;
}

// Palette with entry i = (i, 255 - i, 7) so that a solid image of value v is recognisable.
std::vector<Rgb> CountingPalette() {
  std::vector<Rgb> palette;
  for (int i = 0; i < 256; ++i) palette.push_back({std::uint8_t(i), std::uint8_t(255 - i), 7});
  return palette;
}

Rgb SolidColourOf(const CardSheet& sheet, int cell) { return sheet.cellImage(cell).at(40, 60); }

// Cells 55..58 are the foundation markers: a set of fewer than 59 images has none of its own and
// shows image 0 there; images past 59 are ignored.
TEST(PlanarCardSet, ImageCountDecidesTheMarkersAndLaterImagesAreIgnored) {
  for (int count : {55, 57, 59, 70}) {
    const CardSheet sheet =
        DecodeSheet(HandMadePlanarFile(8, false, CountingPalette(), DistinctImages(count)));
    for (int cell = 0; cell <= 58; ++cell) {
      const int image = cell >= 55 && count < 59 ? 0 : cell;
      EXPECT_EQ(SolidColourOf(sheet, cell).r, image + 1) << count << " images, cell " << cell;
    }
    ExpectBlackCells(sheet, {59, 60, 61, 62, 63});
  }
}

TEST(PlanarCardSet, PlainPixelsTakeTheirPaletteEntryAndPlanesAddUp) {
  std::vector<std::uint8_t> values(std::size_t(kCardWidth) * kCardHeight);
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = std::uint8_t(i * 37 % 32);
  const std::vector<std::uint8_t> file = HandMadePlanarFile(5, false, CountingPalette(), {values});
  CardImage image;
  const PlanarHeader h = readPlanarHeader(file);
  ASSERT_TRUE(decodePlanarImage(image.target(), file, 0, h.paletteSize, h.planes, h.ham, h.stride));
  for (int y = 0; y < kCardHeight; ++y)
    for (int x = 0; x < kCardWidth; ++x) {
      const std::uint8_t v = values[std::size_t(y * kCardWidth + x)];
      ASSERT_EQ(image.at(x, y), (Rgb{v, std::uint8_t(255 - v), 7})) << x << "," << y;
    }
}

TEST(PlanarCardSet, EightPlaneHamModifiesOneComponentOfTheRunningColour) {
  const std::vector<Rgb> palette{{100, 110, 120}, {1, 2, 3}, {4, 5, 6}, {200, 201, 202}};
  // blue := 10*4, red := 20*4, green := 30*4, entry 3, blue := 63*4
  const auto values = RowValues({0x40 | 10, 0x80 | 20, 0xC0 | 30, 3, 0x40 | 63});
  const std::vector<std::uint8_t> file = HandMadePlanarFile(8, true, palette, {values});
  CardImage image;
  ASSERT_TRUE(decodePlanarImage(image.target(), file, 0, 64, 8, true, 11440));
  for (int y : {0, 77, 129}) {
    EXPECT_EQ(image.at(0, y), (Rgb{100, 110, 40}));  // the row starts from entry 0
    EXPECT_EQ(image.at(1, y), (Rgb{80, 110, 40}));
    EXPECT_EQ(image.at(2, y), (Rgb{80, 120, 40}));
    EXPECT_EQ(image.at(3, y), (Rgb{200, 201, 202}));
    EXPECT_EQ(image.at(4, y), (Rgb{200, 201, 252}));
    EXPECT_EQ(image.at(5, y), (Rgb{100, 110, 120}));  // value 0 takes entry 0 again
  }
}

TEST(PlanarCardSet, SixPlaneHamUsesBits4And5) {
  const std::vector<Rgb> palette{{9, 9, 9}, {1, 2, 3}, {4, 5, 6}, {70, 80, 90}};
  const auto values = RowValues({16 | 15, 32 | 1, 48 | 8, 3});
  const std::vector<std::uint8_t> file = HandMadePlanarFile(6, true, palette, {values});
  CardImage image;
  ASSERT_TRUE(decodePlanarImage(image.target(), file, 0, 16, 6, true, 8580));
  EXPECT_EQ(image.at(0, 5), (Rgb{9, 9, 240}));
  EXPECT_EQ(image.at(1, 5), (Rgb{16, 9, 240}));
  EXPECT_EQ(image.at(2, 5), (Rgb{16, 128, 240}));
  EXPECT_EQ(image.at(3, 5), (Rgb{70, 80, 90}));
}

TEST(PlanarCardSet, PreviewIsSheetCell3WithoutConsultingTheImageCount) {
  const std::vector<std::uint8_t> planar =
      HandMadePlanarFile(8, false, CountingPalette(), DistinctImages(10));
  CardImage preview;
  ASSERT_TRUE(buildCardPreview(planar, preview));
  EXPECT_EQ(preview, DecodeSheet(planar).cellImage(3));

  std::vector<std::uint8_t> fewer = planar;
  fewer[21] = 2;  // image 3 is not in the sheet, but the preview still shows it
  ASSERT_TRUE(buildCardPreview(fewer, preview));
  EXPECT_EQ(preview.at(0, 0).r, 4);
  EXPECT_TRUE(IsBlack(DecodeSheet(fewer).cellImage(3)));

  const std::vector<std::uint8_t> pc = EncodePcSet(GradientPictures(57), false);
  ASSERT_TRUE(buildCardPreview(ByteView(pc).first(kPreviewReadLimit), preview));
  EXPECT_EQ(preview, DecodeSheet(pc).cellImage(3));
}

// --- the table's pixel format ---------------------------------------------------------------

// The game builds the sheet straight in 32-bit pixels: the same pictures as the plain sheet in
// every variant, every pixel written (the memory held other pixels before), short files included.
TEST(Rgb32Sheet, ShowsThePicturesOfEveryVariantAndPrefix) {
  const std::vector<CardImage> images = GradientPictures(12);
  std::vector<std::vector<std::uint8_t>> files{EncodePcSet(images, false),
                                               EncodePcSet(images, true)};
  for (const auto& [depth, ham] : {std::pair{5u, false}, {6u, true}, {8u, true}}) {
    PlanarOptions options;
    options.depth = depth;
    options.ham = ham;
    files.push_back(EncodePlanarSet(images, options));
  }
  files.push_back(std::vector<std::uint8_t>(100, 7));
  for (const auto& whole : files)
    for (const std::size_t length : {std::size_t(0), std::size_t(21), std::size_t(200),
                                     whole.size() / 3, whole.size() - 1, whole.size()}) {
      const std::vector<std::uint8_t> file(
          whole.begin(), whole.begin() + std::ptrdiff_t(std::min(length, whole.size())));
      CardSetInfo info, rgb32Info;
      const CardSheet sheet = DecodeSheet(file, &info);
      EXPECT_EQ(Rgb32Mismatch(DecodeRgb32Sheet(file, &rgb32Info), sheet), "")
          << "file of " << whole.size() << " bytes cut to " << length;
      EXPECT_EQ(rgb32Info.format, info.format);
      EXPECT_EQ(rgb32Info.amigaTableColour, info.amigaTableColour);

      std::vector<std::uint32_t> preview(std::size_t(kCardWidth) * kCardHeight, 0x12345678);
      CardImage rgbPreview;
      EXPECT_EQ(buildCardPreview(file, Rgb32Target{preview.data(), kCardWidth}),
                buildCardPreview(file, rgbPreview));
      for (int y = 0; y < kCardHeight; ++y)
        for (int x = 0; x < kCardWidth; ++x)
          ASSERT_EQ(preview[std::size_t(y * kCardWidth + x)], opaqueArgb(rgbPreview.at(x, y)))
              << "preview pixel " << x << "," << y << ", file cut to " << length;
    }
}

// --- hostile files ----------------------------------------------------------------------------

TEST(HostileCardSet, NoMagicBuildsNothing) {
  for (std::vector<std::uint8_t> file :
       {std::vector<std::uint8_t>{}, std::vector<std::uint8_t>{'P', 'C', 'T', 'A', 'V'},
        std::vector<std::uint8_t>{'T', 'A', 'V'}, std::vector<std::uint8_t>(4000, 0xFF)}) {
    CardSetInfo info;
    const CardSheet sheet = DecodeSheet(file, &info);
    EXPECT_FALSE(info.hasSheet);
    EXPECT_EQ(info.format, CardSetFormat::None);
    EXPECT_TRUE(AllZero(sheet.rgb));
    CardImage preview;
    preview.rgb.fill(9);
    EXPECT_FALSE(buildCardPreview(file, preview));
    EXPECT_TRUE(IsBlack(preview));
  }
}

TEST(HostileCardSet, MagicAloneGivesABlackSheet) {
  for (const char* magic : {"TAVI", "PCTAVI"}) {
    std::vector<std::uint8_t> file(magic, magic + std::strlen(magic));
    CardSetInfo info;
    const CardSheet sheet = DecodeSheet(file, &info);
    EXPECT_TRUE(info.hasSheet);
    EXPECT_TRUE(AllZero(sheet.rgb)) << magic;
  }
}

TEST(HostileCardSet, StrideAndImageCountPastTheDataGiveBlackPictures) {
  std::vector<std::uint8_t> file =
      HandMadePlanarFile(8, false, CountingPalette(), DistinctImages(3), 0, 255);
  CardSheet sheet = DecodeSheet(file);
  for (int cell = 0; cell < 3; ++cell) EXPECT_EQ(SolidColourOf(sheet, cell).r, cell + 1);
  for (int cell = 3; cell < 55; ++cell)
    EXPECT_TRUE(IsBlack(sheet.cellImage(cell))) << "cell " << cell;

  for (std::uint32_t stride : {0xFFFFFFFFu, 0x80000000u, 11441u * 3u}) {
    PutBigEndian32(file, 8, stride);
    sheet = DecodeSheet(file);
    EXPECT_EQ(SolidColourOf(sheet, 0).r, 1);  // image 0 starts after the palette whatever S is
    for (int cell = 1; cell < 55; ++cell)
      EXPECT_TRUE(IsBlack(sheet.cellImage(cell))) << "cell " << cell;
  }
  // A stride of 0 makes every image image 0.
  PutBigEndian32(file, 8, 0);
  sheet = DecodeSheet(file);
  for (int cell = 0; cell <= 58; ++cell) EXPECT_EQ(SolidColourOf(sheet, cell).r, 1);
}

TEST(HostileCardSet, HamWithUnusualPlaneCountsStaysInsideTheData) {
  // Fewer than 2 planes with HAM: black.
  std::vector<std::uint8_t> one = HandMadePlanarFile(1, true, CountingPalette(), {SolidValues(1)});
  EXPECT_TRUE(IsBlack(DecodeSheet(one).cellImage(0)));
  // Seven planes with HAM follow the six-plane rule; a value naming an entry past the
  // 32-entry palette is black.
  const auto values = RowValues({16 | 15, 64 | 3, 3});
  const std::vector<std::uint8_t> seven = HandMadePlanarFile(7, true, CountingPalette(), {values});
  const CardImage image = DecodeSheet(seven).cellImage(0);
  EXPECT_EQ(image.at(0, 0), (Rgb{0, 255, 240}));
  EXPECT_EQ(image.at(1, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(image.at(2, 0), (Rgb{3, 252, 7}));
}

// Every header field at its extremes, on a short file: the decoder must stay inside the bytes
// (the sanitizer build checks that) and every picture whose data is missing must be black.
TEST(HostileCardSet, HeaderFieldsAtTheirExtremes) {
  const std::vector<std::uint8_t> base =
      HandMadePlanarFile(8, false, CountingPalette(), DistinctImages(2));
  for (std::uint32_t stride : {0u, 1u, 11439u, 11440u, 0x7FFFFFFFu, 0xFFFFFFFFu})
    for (std::uint8_t depth : {0, 1, 2, 5, 6, 7, 8, 9, 255})
      for (std::uint32_t flags : {0u, 0x800u, 0xFFFFFFFFu})
        for (std::uint8_t count : {0, 1, 58, 59, 60, 255}) {
          std::vector<std::uint8_t> file = base;
          PutBigEndian32(file, 8, stride);
          PutBigEndian32(file, 16, flags);
          file[20] = depth;
          file[21] = count;
          const PlanarHeader h = readPlanarHeader(file);
          const CardSheet sheet = DecodeSheet(file);
          for (unsigned cell : {0u, 1u, 2u, 54u}) {
            const bool inFile =
                h.imageOffset(cell) + h.imageDataSize() <= file.size() && !(h.ham && h.planes < 2);
            if (cell < h.imagesUsed && !inFile) {
              ASSERT_TRUE(IsBlack(sheet.cellImage(int(cell))))
                  << stride << " " << int(depth) << " " << flags;
            }
          }
          ASSERT_TRUE(IsBlack(sheet.cellImage(59)));
          ASSERT_TRUE(IsBlack(sheet.cellImage(63)));
          CardImage preview;
          buildCardPreview(file, preview);
        }
}

TEST(HostileCardSet, EveryPrefixOfASetDecodesWithoutReadingPastIt) {
  const std::vector<std::uint8_t> planar =
      HandMadePlanarFile(2, true, CountingPalette(), DistinctImages(4));
  const std::vector<std::uint8_t> pc = EncodePcSet(GradientPictures(2), true);
  for (const auto* whole : {&planar, &pc})
    for (std::size_t length = 0; length <= whole->size(); length += length < 64 ? 1 : 997) {
      // A copy of exactly `length` bytes, so that any read past it is caught.
      const std::vector<std::uint8_t> prefix(whole->begin(),
                                             whole->begin() + std::ptrdiff_t(length));
      CardSheet sheet;
      buildCardSheet(prefix, sheet);
      CardImage preview;
      buildCardPreview(prefix, preview);
    }
}

TEST(HostileCardSet, NegativeImageIndexIsBlack) {
  const std::vector<std::uint8_t> pc = EncodePcSet(GradientPictures(3), false);
  CardImage image;
  image.rgb.fill(1);
  EXPECT_FALSE(decodePcImage(image.target(), pc, -1, false));
  EXPECT_TRUE(IsBlack(image));
  image.rgb.fill(1);
  EXPECT_FALSE(decodePlanarImage(image.target(), pc, -5, 2, 1, false, 0));
  EXPECT_TRUE(IsBlack(image));
}

}  // namespace
}  // namespace cards
