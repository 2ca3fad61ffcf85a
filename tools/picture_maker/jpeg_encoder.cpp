#include "tools/picture_maker/jpeg_encoder.h"

#include <cstdlib>

#include "platform/jpeg_errors.h"

namespace {

// Runs the whole compression; libjpeg's errors jump back here (see jpeg_errors.h).
bool compress(jpeg_compress_struct* info, const QImage* rgb, int quality, unsigned char** buffer,
              unsigned long* size) {
  if (setjmp(platform::jpegJumpBuffer(info)) != 0) return false;
  jpeg_mem_dest(info, buffer, size);
  info->image_width = static_cast<JDIMENSION>(rgb->width());
  info->image_height = static_cast<JDIMENSION>(rgb->height());
  info->input_components = 3;
  info->in_color_space = JCS_RGB;
  jpeg_set_defaults(info);
  jpeg_set_quality(info, quality, TRUE);
  jpeg_start_compress(info, TRUE);
  while (info->next_scanline < info->image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rgb->constScanLine(static_cast<int>(info->next_scanline)));
    jpeg_write_scanlines(info, &row, 1);
  }
  jpeg_finish_compress(info);
  return true;
}

}  // namespace

std::vector<unsigned char> encodeJpeg(const QImage& image, int quality) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  if (rgb.isNull()) return {};
  jpeg_compress_struct info{};
  platform::JpegErrorManager errors{};
  info.err = platform::jumpingJpegErrors(errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  const bool encoded = compress(&info, &rgb, quality, &buffer, &size);
  jpeg_destroy_compress(&info);
  std::vector<unsigned char> bytes;
  if (encoded) bytes.assign(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}
