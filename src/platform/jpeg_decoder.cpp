#include "platform/jpeg_decoder.h"

#include "platform/jpeg_errors.h"

namespace platform {

namespace {

// Larger pictures are refused rather than allocated (the game's own are a few hundred pixels).
constexpr unsigned long kMaxPixels = 64UL * 1024 * 1024;

// Level -1 is a warning about corrupt or missing data (a truncated file among them), after which
// libjpeg would go on with made-up pixels: such a picture counts as broken. Trace messages
// (levels 0 and up) are dropped.
void judgeMessage(j_common_ptr info, int level) {
  if (level < 0) jumpOutOfJpeg(info);
}

// Runs the whole decompression; libjpeg's errors jump back here (see jpeg_errors.h), which is
// why the picture is built in *out and not in a local.
bool decodeInto(jpeg_decompress_struct* info, const unsigned char* data, std::size_t size,
                QImage* out) {
  if (setjmp(jpegJumpBuffer(info)) != 0) return false;
  jpeg_mem_src(info, data, static_cast<unsigned long>(size));
  jpeg_read_header(info, TRUE);
  info->out_color_space = JCS_RGB;
  jpeg_start_decompress(info);
  const unsigned long pixels = static_cast<unsigned long>(info->output_width) * info->output_height;
  if (info->output_components != 3 || pixels == 0 || pixels > kMaxPixels) return false;
  *out = QImage(static_cast<int>(info->output_width), static_cast<int>(info->output_height),
                QImage::Format_RGB888);
  if (out->isNull()) return false;
  while (info->output_scanline < info->output_height) {
    JSAMPROW row = out->scanLine(static_cast<int>(info->output_scanline));
    jpeg_read_scanlines(info, &row, 1);
  }
  jpeg_finish_decompress(info);
  return true;
}

}  // namespace

QImage decodeJpeg(const unsigned char* data, std::size_t size) {
  if (data == nullptr || size == 0) return {};
  jpeg_decompress_struct info{};
  JpegErrorManager errors{};
  info.err = jumpingJpegErrors(errors);
  errors.pub.emit_message = judgeMessage;
  jpeg_create_decompress(&info);
  QImage image;
  const bool decoded = decodeInto(&info, data, size, &image);
  jpeg_destroy_decompress(&info);
  return decoded ? image.convertToFormat(QImage::Format_RGB32) : QImage();
}

}  // namespace platform
