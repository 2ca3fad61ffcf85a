#pragma once
// The game's audio library (platform/audio/klondike_audio.h), opened on the first sound.
#include "platform/audio/klondike_audio.h"

#include <QString>

class QLibrary;

namespace platform {

struct AudioEntryPoints {
  klondike_audio_open_fn open = nullptr;
  klondike_audio_close_fn close = nullptr;
  klondike_audio_cues_playing_fn cuesPlaying = nullptr;
  klondike_audio_load_cue_fn loadCue = nullptr;
  klondike_audio_play_cue_fn playCue = nullptr;
  klondike_audio_has_midi_fn hasMidi = nullptr;
  klondike_audio_load_midi_fn loadMidi = nullptr;
  klondike_audio_play_song_fn playSong = nullptr;
  klondike_audio_halt_song_fn haltSong = nullptr;
  klondike_audio_free_song_fn freeSong = nullptr;
  klondike_audio_last_error_fn lastError = nullptr;
};

// "klondike-audio" as the platform names its library file.
QString audioLibraryFileName();

// Looks up all entry points in the loaded `library`; false (`entries` partly filled) when one is
// missing.
bool resolveAudioEntryPoints(QLibrary& library, AudioEntryPoints& entries);

// The process's audio library, loaded on the first call; null when it cannot be loaded (the game
// then stays silent). Call it from the user-interface thread.
const AudioEntryPoints* audioLibrary();

}  // namespace platform
