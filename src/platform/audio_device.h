#pragma once
// The one audio output of the process, shared by the sound cues and the MIDI sequencer.

namespace platform {

// Initialises SDL's audio subsystem and opens the mixer device (44.1 kHz, 16-bit stereo) on the
// first call; later calls only report the outcome of that first attempt. Returns false when no
// audio device can be opened: callers then stay silent. Call it from the user-interface thread.
bool ensureAudioOpen();

}  // namespace platform
