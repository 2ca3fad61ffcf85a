#include <gtest/gtest.h>

#include <QColor>
#include <cstdlib>
#include <random>
#include <vector>

#include "platform/game_pictures.h"
#include "platform/jpeg_decoder.h"

namespace {

std::vector<unsigned char> bytesOf(platform::pictures::Id id) {
  const auto bytes = platform::pictures::jpeg(id);
  return {bytes.begin(), bytes.end()};
}

bool near(QColor actual, QColor expected, int tolerance) {
  return std::abs(actual.red() - expected.red()) <= tolerance &&
         std::abs(actual.green() - expected.green()) <= tolerance &&
         std::abs(actual.blue() - expected.blue()) <= tolerance;
}

TEST(JpegDecoder, EveryEmbeddedPictureDecodesAtTheSizeItsWindowShows) {
  struct Expected {
    platform::pictures::Id id;
    int width, height;
  };
  for (const Expected& picture : {Expected{platform::pictures::Id::HighscoreBackground, 351, 451},
                                  Expected{platform::pictures::Id::EndGame, 300, 200},
                                  Expected{platform::pictures::Id::AboutLogo, 169, 130},
                                  Expected{platform::pictures::Id::FirstPortrait, 100, 120},
                                  Expected{platform::pictures::Id::SecondPortrait, 100, 120}}) {
    SCOPED_TRACE(static_cast<int>(picture.id));
    const QImage image = platform::decodeJpeg(platform::pictures::jpeg(picture.id));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(picture.width, picture.height));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
  }
}

TEST(JpegDecoder, HighscoreBarsCarryTheColoursOfTheirNameBoxes) {
  const QImage image =
      platform::decodeJpeg(platform::pictures::jpeg(platform::pictures::Id::HighscoreBackground));
  ASSERT_FALSE(image.isNull());
  // Sampled inside the bars, right of the name box, on the row's text line.
  EXPECT_TRUE(near(image.pixelColor(250, 66 + 7), QColor(125, 169, 196), 24));
  EXPECT_TRUE(near(image.pixelColor(250, 180 + 7), QColor(145, 182, 204), 24));
  EXPECT_TRUE(near(image.pixelColor(250, 408 + 7), QColor(186, 140, 135), 24));
  // Between two bars the dark background shows.
  EXPECT_LT(image.pixelColor(250, 66 + 26).lightness(), 90);
}

TEST(JpegDecoder, MissingTruncatedOrGarbageDataGivesANullImage) {
  const unsigned char one = 0xFF;
  EXPECT_TRUE(platform::decodeJpeg(nullptr, 0).isNull());
  EXPECT_TRUE(platform::decodeJpeg(nullptr, 100).isNull());
  EXPECT_TRUE(platform::decodeJpeg(&one, 0).isNull());
  EXPECT_TRUE(platform::decodeJpeg(&one, 1).isNull());

  const std::vector<unsigned char> whole = bytesOf(platform::pictures::Id::EndGame);
  ASSERT_GT(whole.size(), 1000u);
  std::vector<std::vector<unsigned char>> broken;
  // Cut inside the header, inside the picture data, and only the end marker missing.
  for (std::size_t size :
       {std::size_t{2}, std::size_t{20}, std::size_t{300}, whole.size() / 2, whole.size() - 2})
    broken.emplace_back(whole.begin(), whole.begin() + static_cast<long>(size));
  std::mt19937 random(7);
  std::vector<unsigned char> garbage(4096);
  for (auto& byte : garbage) byte = static_cast<unsigned char>(random());
  broken.push_back(garbage);
  garbage[0] = 0xFF;  // a start-of-image marker followed by garbage
  garbage[1] = 0xD8;
  broken.push_back(garbage);
  for (const auto& bytes : broken)
    EXPECT_TRUE(platform::decodeJpeg(bytes.data(), bytes.size()).isNull())
        << bytes.size() << " bytes";
}

TEST(JpegDecoder, DamagedPictureDataNeverGivesAWrongSizedImage) {
  const std::vector<unsigned char> whole = bytesOf(platform::pictures::Id::AboutLogo);
  std::mt19937 random(11);
  for (int round = 0; round < 40; ++round) {
    std::vector<unsigned char> damaged = whole;
    for (int hit = 0; hit < 8; ++hit)
      damaged[random() % damaged.size()] = static_cast<unsigned char>(random());
    const QImage image = platform::decodeJpeg(damaged.data(), damaged.size());
    if (!image.isNull()) {
      EXPECT_EQ(image.size(), QSize(169, 130));
    }
  }
}

}  // namespace
