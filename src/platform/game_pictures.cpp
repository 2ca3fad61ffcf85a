#include "platform/game_pictures.h"

#include "platform/game_pictures_table.h"

namespace pictures {

std::span<const unsigned char> jpeg(Id id) {
  const auto index = static_cast<std::size_t>(id);
  return index < generated::tableSize ? generated::table[index] : std::span<const unsigned char>();
}

}  // namespace pictures
