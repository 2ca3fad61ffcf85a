#include "tests/music/fake_mpegdll.h"

#include <cstring>

#define FAKE_API extern "C" __attribute__((visibility("default")))

namespace {

FakeMpegState g_state;
int32_t g_error = 0;

void resetState() {
  g_state = FakeMpegState{};
  g_state.initResult = 1;
  g_state.length = 120000;
  g_state.position = 1000;
  g_state.resetResult = 1;
  g_state.device = -1;
  g_state.priority = -99;
  g_error = 0;
}

struct Init {
  Init() { resetState(); }
} g_init;

void record(const char* call) {
  std::strncat(g_state.calls, call, sizeof g_state.calls - std::strlen(g_state.calls) - 2);
  std::strcat(g_state.calls, " ");
  g_error = std::strcmp(call, g_state.failCall) == 0 ? g_state.failCode : 0;
}

void copy(char* target, size_t size, const char* text) {
  std::strncpy(target, text ? text : "", size - 1);
  target[size - 1] = 0;
}

}  // namespace

FAKE_API FakeMpegState* fake_mpegdll_state(void) { return &g_state; }
FAKE_API void fake_mpegdll_reset(void) { resetState(); }

// Entry points whose whole behaviour is to be recorded and give a fixed or preset answer.
#define FAKE_COMMAND(name) \
  FAKE_API void name(void) { record(#name); }
#define FAKE_QUERY(type, name, answer) \
  FAKE_API type name(void) {           \
    record(#name);                     \
    return answer;                     \
  }

FAKE_QUERY(mpegdll_bool, init, g_state.initResult)
FAKE_COMMAND(deinit)
FAKE_COMMAND(Restart)
FAKE_COMMAND(Stop)
FAKE_COMMAND(Close)
FAKE_QUERY(int32_t, GetFrequency, 44100)
FAKE_QUERY(int32_t, GetBitrate, 128)
FAKE_QUERY(uint8_t, GetStereoMode, MPEGDLL_JOINT_STEREO)
FAKE_QUERY(int32_t, GetLayer, 3)
FAKE_QUERY(int32_t, GetPlayerMode, MPEGDLL_MODE_PLAYING)
FAKE_QUERY(int32_t, GetCurrentPos, g_state.position)
FAKE_QUERY(int32_t, GetLength, g_state.length)
FAKE_QUERY(mpegdll_bool, ResetPlayerMode, g_state.resetResult)

FAKE_API void Open(const char* name, int32_t fromStream, mpegdll_open_cb open,
                   mpegdll_close_cb close, mpegdll_restart_cb restart, mpegdll_read_cb read,
                   mpegdll_seek_cb seek, mpegdll_size_cb size, void* user) {
  record("Open");
  copy(g_state.name, sizeof g_state.name, name);
  g_state.fromStream = fromStream;
  g_state.openCb = open;
  g_state.closeCb = close;
  g_state.restartCb = restart;
  g_state.readCb = read;
  g_state.seekCb = seek;
  g_state.sizeCb = size;
  g_state.user = user;
}
FAKE_API void Pause(mpegdll_bool resume) {
  record("Pause");
  g_state.pauseArg = resume;
}
FAKE_API void SetPriority(int32_t priority) {
  record("SetPriority");
  g_state.priority = priority;
}
FAKE_API void SetOutputDevice(int32_t device, const char* outFile) {
  record("SetOutputDevice");
  g_state.device = device;
  copy(g_state.outFile, sizeof g_state.outFile, outFile);
}
FAKE_API int32_t Play(int32_t start, int32_t end, uint8_t* endFlag) {
  record("Play");
  g_state.startPos = start;
  g_state.endPos = end;
  g_state.endFlag = endFlag;
  return g_state.playResult;
}
#ifndef FAKE_MPEGDLL_WITHOUT_SEEK
FAKE_API void Seek(int32_t position) {
  record("Seek");
  g_state.seekPos = position;
}
#endif
FAKE_API void SetSndDevice(int32_t device) {
  record("SetSndDevice");
  g_state.sndDevice = device;
}
FAKE_API int32_t LastError(void) { return g_error; }
