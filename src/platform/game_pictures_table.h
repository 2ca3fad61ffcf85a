#pragma once
// The embedded JPEG data that tools/picture_maker generates, indexed by platform::pictures::Id.
#include <cstddef>
#include <span>

namespace platform::pictures::generated {

extern const std::span<const unsigned char> table[];
extern const std::size_t tableSize;

}  // namespace platform::pictures::generated
