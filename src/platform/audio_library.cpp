#include "platform/audio_library.h"

#include "platform/own_library.h"

namespace platform {

QString audioLibraryFileName() { return ownLibraryFileName(QStringLiteral("klondike-audio")); }

bool resolveAudioEntryPoints(QLibrary& library, AudioEntryPoints& e) {
  return resolveEntry(library, "klondike_audio_open", e.open) &&
         resolveEntry(library, "klondike_audio_close", e.close) &&
         resolveEntry(library, "klondike_audio_cues_playing", e.cuesPlaying) &&
         resolveEntry(library, "klondike_audio_load_cue", e.loadCue) &&
         resolveEntry(library, "klondike_audio_play_cue", e.playCue) &&
         resolveEntry(library, "klondike_audio_has_midi", e.hasMidi) &&
         resolveEntry(library, "klondike_audio_load_midi", e.loadMidi) &&
         resolveEntry(library, "klondike_audio_play_song", e.playSong) &&
         resolveEntry(library, "klondike_audio_halt_song", e.haltSong) &&
         resolveEntry(library, "klondike_audio_free_song", e.freeSong) &&
         resolveEntry(library, "klondike_audio_last_error", e.lastError);
}

const AudioEntryPoints* audioLibrary() {
  // Loaded once and kept for the whole run: cues and songs live in it.
  static const AudioEntryPoints* const loaded = [] {
    static QLibrary library;
    static AudioEntryPoints entries;
    return loadOwnLibrary(library, audioLibraryFileName()) &&
                   resolveAudioEntryPoints(library, entries)
               ? &entries
               : nullptr;
  }();
  return loaded;
}

}  // namespace platform
