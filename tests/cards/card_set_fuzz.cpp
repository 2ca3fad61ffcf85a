// libFuzzer entry: any bytes as a card-set file, through the sheet and the preview.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "cards/card_set_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static cards::CardSheet sheet;
  const cards::ByteView file(data, size);
  const cards::CardSetInfo info = cards::buildCardSheet(file, sheet);
  if (info.hasSheet != (info.format == '0' || info.format == '1')) std::abort();
  cards::CardImage preview;
  if (cards::buildCardPreview(file.first(std::min(size, cards::kPreviewReadLimit)), preview) !=
      info.hasSheet)
    std::abort();
  return 0;
}
