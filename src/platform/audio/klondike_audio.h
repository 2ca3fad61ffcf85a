/* The C interface of the game's audio library `klondike-audio` (libklondike-audio.so,
 * klondike-audio.dll on Windows): the SDL2_mixer output of the sound cues and the MIDI music.
 *
 * The game opens this library on its first sound, so that SDL2, SDL2_mixer and their
 * synthesizers and sound servers are never mapped by a game whose sound and music stay off.
 * Every entry point is called from the game's user-interface thread. A cue or a song is an
 * opaque handle; the bytes given to a load call must stay valid as long as the handle lives.
 */
#ifndef KLONDIKE_AUDIO_H
#define KLONDIKE_AUDIO_H

#ifdef __cplusplus
extern "C" {
#endif

/* "klondike_audio_open": initialises SDL's audio (without SDL's signal handlers, so that Ctrl+C
 * and kill still end the game) and opens the mixer device, 44.1 kHz 16-bit stereo with 16
 * channels; 1 when open, 0 when no device can be opened. "klondike_audio_close" closes both. */
typedef int (*klondike_audio_open_fn)(void);
typedef void (*klondike_audio_close_fn)(void);
/* "klondike_audio_cues_playing": how many cues are playing now. */
typedef int (*klondike_audio_cues_playing_fn)(void);
/* "klondike_audio_load_cue": a wave file's bytes as a cue, kept in the device's format across a
 * closing and reopening of the device; NULL when the bytes are no playable wave. */
typedef void* (*klondike_audio_load_cue_fn)(const void* bytes, int size);
/* "klondike_audio_play_cue": plays the cue on a free channel (none free: the cue is skipped). */
typedef void (*klondike_audio_play_cue_fn)(void* cue);
/* "klondike_audio_has_midi": 1 when a MIDI synthesizer is available. */
typedef int (*klondike_audio_has_midi_fn)(void);
/* "klondike_audio_load_midi": a Standard MIDI File's bytes as a song; NULL on failure. */
typedef void* (*klondike_audio_load_midi_fn)(const void* bytes, int size);
/* "klondike_audio_play_song": plays the song once on the one music stream and returns 0, else
 * -1. `finished` is called when the song ends by itself (on the audio thread) or is halted (on
 * the caller's thread). */
typedef int (*klondike_audio_play_song_fn)(void* song, void (*finished)(void));
typedef void (*klondike_audio_halt_song_fn)(void);       /* "klondike_audio_halt_song" */
typedef void (*klondike_audio_free_song_fn)(void* song); /* "klondike_audio_free_song" */
/* "klondike_audio_last_error": why the latest call failed, as text. */
typedef const char* (*klondike_audio_last_error_fn)(void);

#ifdef __cplusplus
}
#endif

#endif
