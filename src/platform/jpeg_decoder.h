#pragma once
// JPEG decoding with libjpeg.
#include <QImage>
#include <cstddef>
#include <span>

namespace platform {

// Decodes a complete baseline or progressive JPEG (grey or colour) into an RGB32 image.
// Malformed, truncated or empty data gives a null QImage; the process never exits.
QImage decodeJpeg(const unsigned char* data, std::size_t size);

inline QImage decodeJpeg(std::span<const unsigned char> bytes) {
  return decodeJpeg(bytes.data(), bytes.size());
}

}  // namespace platform
