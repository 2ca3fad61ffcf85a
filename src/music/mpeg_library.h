// Locating and loading the decoder library mpegdll at run time, and its 21 entry points.
#pragma once

#include "music/mpegdll/mpegdll.h"

#include <QString>

#include <string>

class QLibrary;

namespace music {

struct MpegEntryPoints {
  mpegdll_init_fn init = nullptr;
  mpegdll_deinit_fn deinit = nullptr;
  mpegdll_open_fn open = nullptr;
  mpegdll_pause_fn pause = nullptr;
  mpegdll_restart_fn restart = nullptr;
  mpegdll_stop_fn stop = nullptr;
  mpegdll_set_priority_fn setPriority = nullptr;
  mpegdll_set_output_device_fn setOutputDevice = nullptr;
  mpegdll_play_fn play = nullptr;
  mpegdll_close_fn close = nullptr;
  mpegdll_get_frequency_fn getFrequency = nullptr;
  mpegdll_get_bitrate_fn getBitrate = nullptr;
  mpegdll_get_stereo_mode_fn getStereoMode = nullptr;
  mpegdll_get_layer_fn getLayer = nullptr;
  mpegdll_get_player_mode_fn getPlayerMode = nullptr;
  mpegdll_get_current_pos_fn getCurrentPos = nullptr;
  mpegdll_get_length_fn getLength = nullptr;
  mpegdll_reset_player_mode_fn resetPlayerMode = nullptr;
  mpegdll_seek_fn seek = nullptr;
  mpegdll_set_snd_device_fn setSndDevice = nullptr;
  mpegdll_last_error_fn lastError = nullptr;
};

// "libmpegdll.so" (Linux), "mpegdll.dll" (Windows), "libmpegdll.dylib" (macOS).
QString mpegLibraryFileName();

// The library's path in the folder `pathToDll`: a separator is put between them unless the
// folder is empty or already ends in one (or in ':', a drive).
QString mpegLibraryPath(const std::string& pathToDll);

// Loads the library named by mpegLibraryPath(). With an empty folder it is found like every
// library of the game's own (platform/own_library.h). False when not loaded.
bool loadMpegLibrary(QLibrary& library, const std::string& pathToDll);

// Looks up all 21 entry points; false (and `entries` partly filled) when one is missing.
bool resolveMpegEntryPoints(QLibrary& library, MpegEntryPoints& entries);

}  // namespace music
