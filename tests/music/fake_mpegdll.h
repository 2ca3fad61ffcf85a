// A stand-in for the decoder library with the same 21 entry points, whose behaviour a test
// controls through the state returned by the extra entry point "fake_mpegdll_state".
#pragma once

#include "music/mpegdll/mpegdll.h"

#include <stdint.h>

extern "C" {

struct FakeMpegState {
  mpegdll_bool initResult;  // what "init" returns
  char failCall[32];        // the entry point after which "LastError" reports failCode
  int32_t failCode;
  int32_t playResult;        // what "Play" returns
  int32_t length;            // "GetLength"
  int32_t position;          // "GetCurrentPos"
  mpegdll_bool resetResult;  // "ResetPlayerMode"

  // What the library was given.
  char calls[2048];  // entry point names in call order, each followed by one space
  char name[1024];
  int32_t fromStream;
  int32_t priority;
  int32_t device;
  char outFile[1024];
  int32_t sndDevice;
  int32_t startPos, endPos, seekPos;
  mpegdll_bool pauseArg;
  uint8_t* endFlag;
  mpegdll_open_cb openCb;
  mpegdll_close_cb closeCb;
  mpegdll_restart_cb restartCb;
  mpegdll_read_cb readCb;
  mpegdll_seek_cb seekCb;
  mpegdll_size_cb sizeCb;
  void* user;
};

typedef FakeMpegState* (*fake_mpegdll_state_fn)(void);  // "fake_mpegdll_state"
typedef void (*fake_mpegdll_reset_fn)(void);            // "fake_mpegdll_reset"
}
