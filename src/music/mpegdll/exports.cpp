// The library's C entry points. Each one records its outcome for "LastError"; none lets a C++
// exception escape.
#include "music/mpegdll/mpegdll.h"
#include "music/mpegdll/player.h"

#include <mpg123.h>

#include <memory>
#include <new>

#if defined(_WIN32)
#define MPEGDLL_API extern "C" __declspec(dllexport)
#else
#define MPEGDLL_API extern "C" __attribute__((visibility("default")))
#endif

namespace {

std::unique_ptr<mpegdll::Player> g_player;
int32_t g_lastError = MPEGDLL_ERR_NONE;

// Runs `action` (returning an error code) on the initialised player and records the outcome.
template <typename Action>
void call(Action&& action) {
  g_lastError = MPEGDLL_ERR_NONE;
  if (!g_player) {
    g_lastError = MPEGDLL_ERR_MODE;
    return;
  }
  try {
    g_lastError = action(*g_player);
  } catch (...) {  // out of memory, or no thread to be had
    g_lastError = MPEGDLL_ERR_DECODER;
  }
}

}  // namespace

MPEGDLL_API mpegdll_bool init(void) {
  g_lastError = MPEGDLL_ERR_NONE;
  if (g_player) return 1;
  if (mpg123_init() != MPG123_OK) {
    g_lastError = MPEGDLL_ERR_DECODER;
    return 0;
  }
  g_player.reset(new (std::nothrow) mpegdll::Player);
  if (!g_player) g_lastError = MPEGDLL_ERR_DECODER;
  return g_player ? 1 : 0;
}

MPEGDLL_API void deinit(void) { g_player.reset(); }

MPEGDLL_API void Open(const char* name, int32_t fromStream, mpegdll_open_cb open,
                      mpegdll_close_cb close, mpegdll_restart_cb restart, mpegdll_read_cb read,
                      mpegdll_seek_cb seek, mpegdll_size_cb size, void* user) {
  call([&](mpegdll::Player& player) {
    if (!fromStream) return player.open(name, nullptr);
    const mpegdll::StreamCallbacks stream{open, close, restart, read, seek, size, user};
    return player.open(nullptr, &stream);
  });
}

MPEGDLL_API void Pause(mpegdll_bool resume) {
  call([&](mpegdll::Player& player) { return player.pause(resume != 0); });
}

MPEGDLL_API void Restart(void) {
  call([](mpegdll::Player& player) { return player.restart(); });
}

MPEGDLL_API void Stop(void) {
  call([](mpegdll::Player& player) { return player.stop(); });
}

MPEGDLL_API void SetPriority(int32_t priority) {
  call([&](mpegdll::Player& player) { return player.setPriority(priority); });
}

MPEGDLL_API void SetOutputDevice(int32_t device, const char* outFile) {
  call([&](mpegdll::Player& player) { return player.setOutputDevice(device, outFile); });
}

MPEGDLL_API int32_t Play(int32_t startMs, int32_t endMs, uint8_t* endFlag) {
  call([&](mpegdll::Player& player) { return player.play(startMs, endMs, endFlag); });
  return g_lastError == MPEGDLL_ERR_NONE ? 0 : -1;
}

MPEGDLL_API void Close(void) {
  call([](mpegdll::Player& player) {
    player.close();
    return MPEGDLL_ERR_NONE;
  });
}

namespace {
mpegdll::StreamInfo streamInfo() {
  mpegdll::StreamInfo info;
  call([&](mpegdll::Player& player) { return player.info(info); });
  return info;
}
}  // namespace

MPEGDLL_API int32_t GetFrequency(void) { return static_cast<int32_t>(streamInfo().rate); }
MPEGDLL_API int32_t GetBitrate(void) { return streamInfo().bitrateKbps; }
MPEGDLL_API uint8_t GetStereoMode(void) { return static_cast<uint8_t>(streamInfo().channelMode); }
MPEGDLL_API int32_t GetLayer(void) { return streamInfo().layer; }

MPEGDLL_API int32_t GetPlayerMode(void) {
  int32_t mode = MPEGDLL_MODE_CLOSED;
  call([&](mpegdll::Player& player) { return player.mode(mode); });
  return mode;
}

MPEGDLL_API int32_t GetCurrentPos(void) {
  int32_t ms = 0;
  call([&](mpegdll::Player& player) { return player.position(ms); });
  return ms;
}

MPEGDLL_API int32_t GetLength(void) {
  int32_t ms = 0;
  call([&](mpegdll::Player& player) { return player.length(ms); });
  return ms;
}

MPEGDLL_API mpegdll_bool ResetPlayerMode(void) {
  bool stopped = false;
  call([&](mpegdll::Player& player) { return player.resetMode(stopped); });
  return stopped ? 1 : 0;
}

MPEGDLL_API void Seek(int32_t positionMs) {
  call([&](mpegdll::Player& player) { return player.seek(positionMs); });
}

MPEGDLL_API void SetSndDevice(int32_t device) {
  call([&](mpegdll::Player& player) {
    player.setSoundDevice(device);
    return MPEGDLL_ERR_NONE;
  });
}

MPEGDLL_API int32_t LastError(void) { return g_lastError; }
