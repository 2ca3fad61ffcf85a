// libFuzzer entry: any bytes as a card-set file, through the sheet and the preview in both pixel
// formats (the two previews must show the same picture), and as an SVG deck's bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "cards/card_set_decode.h"
#include "cards/svg_deck_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static cards::CardSheet sheet;
  static std::vector<std::uint32_t> pixels(std::size_t(cards::kSheetWidth) * cards::kSheetHeight);
  const cards::ByteView file(data, size);
  const cards::CardSetInfo info = cards::buildCardSheet(file, sheet);
  if (info.hasSheet != (info.format != cards::CardSetFormat::None)) std::abort();
  cards::buildCardSheet(file, cards::Rgb32Sheet{pixels.data(), cards::kSheetWidth});
  const cards::ByteView previewBytes = file.first(std::min(size, cards::kPreviewReadLimit));
  cards::CardImage preview;
  if (cards::buildCardPreview(previewBytes, preview) != info.hasSheet) std::abort();
  cards::buildCardPreview(previewBytes, cards::Rgb32Target{pixels.data(), cards::kCardWidth});
  for (int y = 0; y < cards::kCardHeight; ++y)
    for (int x = 0; x < cards::kCardWidth; ++x)
      if (pixels[std::size_t(y * cards::kCardWidth + x)] != cards::opaqueArgb(preview.at(x, y)))
        std::abort();
  // The same bytes as an SVG deck: plain, or inflated when they start as gzip does.
  if (const auto text = cards::svgDeckText(file); text && text->size() > cards::kSvgDeckTextLimit)
    std::abort();
  return 0;
}
