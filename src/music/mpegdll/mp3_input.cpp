#include "music/mpegdll/mp3_input.h"

#include <mpg123.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace mpegdll {
namespace {

// libmpg123's reader hooks for a stream given through callbacks.
mpg123_ssize_t readThunk(void* io, void* buffer, size_t count) {
  auto* stream = static_cast<Mp3Input::StreamIo*>(io);
  const int32_t wanted = static_cast<int32_t>(std::min<size_t>(count, INT32_MAX));
  int32_t got = 0;
  mpegdll_bool ok = 0;
  stream->callbacks.read(stream->callbacks.user, stream->context, buffer, wanted, &got, &ok);
  if (!ok || got < 0) return -1;
  return std::min(got, wanted);
}

off_t seekThunk(void* io, off_t offset, int whence) {
  auto* stream = static_cast<Mp3Input::StreamIo*>(io);
  if (!stream->seekable || offset < INT32_MIN || offset > INT32_MAX) return -1;
  int32_t result = -1;
  stream->callbacks.seek(stream->callbacks.user, stream->context, static_cast<int32_t>(offset),
                         whence, &result);
  return result < 0 ? -1 : result;
}

}  // namespace

Mp3Input::~Mp3Input() { close(); }

int Mp3Input::createHandle() {
  int err = MPG123_OK;
  handle_ = mpg123_new(nullptr, &err);
  if (!handle_) return MPEGDLL_ERR_DECODER;
  // Damaged input is reported through our error codes, not printed.
  mpg123_param(handle_, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
  mpg123_format_none(handle_);
  const long* rates = nullptr;
  size_t rateCount = 0;
  mpg123_rates(&rates, &rateCount);
  for (size_t i = 0; i < rateCount; ++i)
    mpg123_format(handle_, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
  return MPEGDLL_ERR_NONE;
}

int Mp3Input::openFile(const char* path) {
  close();
  if (!path || !*path) return MPEGDLL_ERR_INPUT;
  // Only plain files: opening a pipe or a device could wait for a writer forever.
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return MPEGDLL_ERR_INPUT;
  if (int err = createHandle()) return err;
  if (mpg123_open(handle_, path) != MPG123_OK) {
    releaseHandle();
    return MPEGDLL_ERR_INPUT;
  }
  seekable_ = true;
  return startDecoding();
}

int Mp3Input::openStream(const StreamCallbacks& callbacks) {
  close();
  if (!callbacks.read) return MPEGDLL_ERR_INPUT;
  stream_ = StreamIo{callbacks, nullptr, false};
  isStream_ = true;
  mpegdll_bool nonseekable = 0;
  if (callbacks.open) callbacks.open(callbacks.user, &nonseekable, &stream_.context);
  if (!nonseekable && callbacks.seek) {
    stream_.seekable = true;  // until the stream refuses to tell its position
    stream_.seekable = seekThunk(&stream_, 0, SEEK_CUR) >= 0;
  }
  seekable_ = stream_.seekable;
  if (int err = createHandle()) {
    close();
    return err;
  }
  mpg123_replace_reader_handle(handle_, readThunk, seekThunk, nullptr);
  if (int err = attachStream()) {
    close();
    return err;
  }
  return startDecoding();
}

int Mp3Input::attachStream() {
  if (mpg123_open_handle(handle_, &stream_) != MPG123_OK) return MPEGDLL_ERR_INPUT;
  if (!seekable_ && stream_.callbacks.size) {
    int32_t size = -1;
    stream_.callbacks.size(stream_.callbacks.user, stream_.context, &size);
    if (size > 0) mpg123_set_filesize(handle_, size);  // lets libmpg123 estimate the length
  }
  return MPEGDLL_ERR_NONE;
}

int Mp3Input::startDecoding() {
  long rate = 0;
  int channels = 0, encoding = 0;
  if (mpg123_getformat(handle_, &rate, &channels, &encoding) != MPG123_OK) {
    close();
    return MPEGDLL_ERR_INPUT;
  }
  if (seekable_) mpg123_scan(handle_);  // exact length; the position stays at the start
  const off_t length = mpg123_length(handle_);
  lengthFrames_ = length >= 0 ? static_cast<int64_t>(length) : -1;
  updateInfo();
  atStart_ = true;
  return MPEGDLL_ERR_NONE;
}

void Mp3Input::updateInfo() {
  long rate = 0;
  int channels = 0, encoding = 0;
  if (mpg123_getformat(handle_, &rate, &channels, &encoding) == MPG123_OK) {
    info_.rate = rate;
    info_.channels = channels;
  }
  mpg123_frameinfo frame{};
  if (mpg123_info(handle_, &frame) == MPG123_OK) {
    info_.layer = frame.layer;
    info_.bitrateKbps = frame.bitrate;
    info_.channelMode = frame.mode;
  }
}

int Mp3Input::seekTo(int64_t frame) {
  if (!handle_) return MPEGDLL_ERR_MODE;
  if (seekable_) {
    if (mpg123_seek(handle_, static_cast<off_t>(frame), SEEK_SET) < 0) return MPEGDLL_ERR_INPUT;
    atStart_ = frame == 0;
    return MPEGDLL_ERR_NONE;
  }
  if (frame != 0) return MPEGDLL_ERR_NOT_SEEKABLE;
  if (atStart_) return MPEGDLL_ERR_NONE;
  // A stream that cannot seek starts over from its beginning through the restart callback.
  mpegdll_bool ok = 0;
  if (stream_.callbacks.restart)
    stream_.callbacks.restart(stream_.callbacks.user, stream_.context, &ok);
  if (!ok) return MPEGDLL_ERR_NOT_SEEKABLE;
  mpg123_close(handle_);
  if (int err = attachStream()) return err;
  return startDecoding();
}

ReadStatus Mp3Input::read(unsigned char* buffer, size_t capacity, size_t& bytes) {
  bytes = 0;
  if (!handle_) return ReadStatus::Error;
  const int result = mpg123_read(handle_, buffer, capacity, &bytes);
  if (bytes > 0) atStart_ = false;
  switch (result) {
    case MPG123_OK: return ReadStatus::Data;
    case MPG123_NEW_FORMAT: updateInfo(); return ReadStatus::NewFormat;
    case MPG123_DONE: return bytes > 0 ? ReadStatus::Data : ReadStatus::End;
    default: return bytes > 0 ? ReadStatus::Data : ReadStatus::Error;
  }
}

void Mp3Input::releaseHandle() {
  if (!handle_) return;
  mpg123_close(handle_);
  mpg123_delete(handle_);
  handle_ = nullptr;
}

void Mp3Input::close() {
  releaseHandle();
  if (isStream_ && stream_.callbacks.close)
    stream_.callbacks.close(stream_.callbacks.user, stream_.context);
  stream_ = StreamIo{};
  isStream_ = false;
  seekable_ = false;
  atStart_ = true;
  lengthFrames_ = -1;
  info_ = StreamInfo{};
}

}  // namespace mpegdll
