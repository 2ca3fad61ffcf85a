#pragma once
// libjpeg's own error handler calls exit(). The JPEG decoder and the picture tool's encoder use
// this one instead: a fatal error jumps back to the setjmp of the function that runs libjpeg.
// Only plain C data may live in that function's frame, so that the jump skips no destructor.
#include <jpeglib.h>
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first

namespace platform {

struct JpegErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

[[noreturn]] inline void jumpOutOfJpeg(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegErrorManager*>(info->err)->jump, 1);
}

// The manager to put into a (de)compression struct's `err` before it is created.
inline jpeg_error_mgr* jumpingJpegErrors(JpegErrorManager& errors) {
  jpeg_error_mgr* manager = jpeg_std_error(&errors.pub);
  manager->error_exit = jumpOutOfJpeg;
  return manager;
}

// The jump buffer of the manager installed in a compression or decompression struct.
template <typename JpegStruct>
std::jmp_buf& jpegJumpBuffer(JpegStruct* info) {
  return reinterpret_cast<JpegErrorManager*>(info->err)->jump;
}

}  // namespace platform
