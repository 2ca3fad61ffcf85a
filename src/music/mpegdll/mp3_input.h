// One open MPEG audio input (a file or a stream read through the caller's callbacks), decoded
// by libmpg123 into 16-bit signed native-endian interleaved samples.
#pragma once

#include "music/mpegdll/mpegdll.h"

#include <cstddef>
#include <cstdint>

struct mpg123_handle_struct;

namespace mpegdll {

struct StreamCallbacks {
  mpegdll_open_cb open = nullptr;
  mpegdll_close_cb close = nullptr;
  mpegdll_restart_cb restart = nullptr;
  mpegdll_read_cb read = nullptr;
  mpegdll_seek_cb seek = nullptr;
  mpegdll_size_cb size = nullptr;
  void* user = nullptr;
};

struct StreamInfo {
  long rate = 0;
  int channels = 0;
  int layer = 0;
  int bitrateKbps = 0;
  int channelMode = 0;  // MPEGDLL_STEREO .. MPEGDLL_MONO
};

enum class ReadStatus { Data, NewFormat, End, Error };

class Mp3Input {
 public:
  // What libmpg123's reader hooks see of a callback stream.
  struct StreamIo {
    StreamCallbacks callbacks;
    void* context = nullptr;
    bool seekable = false;
  };

  Mp3Input() = default;
  ~Mp3Input();
  Mp3Input(const Mp3Input&) = delete;
  Mp3Input& operator=(const Mp3Input&) = delete;

  // Both return an MPEGDLL_ERR_* code; on success the first frame has been found.
  int openFile(const char* path);
  int openStream(const StreamCallbacks& callbacks);
  void close();

  const StreamInfo& info() const { return info_; }
  bool seekable() const { return seekable_; }
  int64_t lengthFrames() const { return lengthFrames_; }  // -1 when unknown

  // Moves the decoder so that the next sample frame read is `frame`. A stream that cannot seek
  // can only go back to its start, through the restart callback. Returns an MPEGDLL_ERR_* code.
  int seekTo(int64_t frame);

  // Decodes up to `capacity` bytes. On NewFormat, info() has the new rate and channel count.
  ReadStatus read(unsigned char* buffer, size_t capacity, size_t& bytes);

 private:
  int createHandle();
  int attachStream();
  int startDecoding();  // probes the first frame and measures the length
  void updateInfo();
  void releaseHandle();

  mpg123_handle_struct* handle_ = nullptr;
  StreamIo stream_;
  bool isStream_ = false;
  bool seekable_ = false;
  bool atStart_ = true;
  int64_t lengthFrames_ = -1;
  StreamInfo info_;
};

}  // namespace mpegdll
