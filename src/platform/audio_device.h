#pragma once
// The one audio output of the process, shared by the sound cues and the MIDI sequencer.

namespace platform {

// Opens the mixer device (44.1 kHz, 16-bit stereo) when it is not open, loading the audio
// library on the first call. Returns false when no audio device can be opened or the library is
// missing: callers then stay silent, and later calls only report that failure. Call it from the
// user-interface thread.
bool ensureAudioOpen();

// An open device keeps an audio thread waking the process dozens of times a second even when
// it plays silence, so it is closed again once it has been idle for a while: no cue playing and
// no song held. The next ensureAudioOpen() opens it again. Without a Qt application (no event
// loop to time the idle period) the device stays open.

// Marks a moment of use: the idle period starts again from here.
void noteAudioUsed();
// A song loaded into the mixer keeps the device open until it is released again.
void holdAudio();
void releaseAudio();
// Whether the mixer device is open now.
bool audioIsOpen();
// How long the device must be idle before it closes; 10 s unless a test shortens it.
void setAudioIdleCloseMs(int ms);

}  // namespace platform
