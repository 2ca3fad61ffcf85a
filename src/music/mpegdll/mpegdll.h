/* The C interface of the MP3 decoder library `mpegdll` (libmpegdll.so, mpegdll.dll on Windows).
 *
 * The library holds one player per process. It decodes MPEG audio with libmpg123 on a
 * background thread and plays it through SDL2 audio (device 0) or writes the decoded samples
 * as raw PCM (16-bit signed little-endian, channels interleaved, at the stream's own rate and
 * channel count) to an output file (device 2).
 *
 * Units: every position and length is in MILLISECONDS from the start of the stream.
 *
 * Errors: every entry point except "deinit" and "LastError" first clears the error code and
 * sets it when it fails; "LastError" reports the code of the latest call (see MPEGDLL_ERR_*).
 * A boolean is one byte: 0 false, anything else true.
 *
 * Threads: call the entry points from one thread. Playback runs on the library's own thread;
 * the stream callbacks' read, seek and size calls are made from that thread while playing.
 */
#ifndef MPEGDLL_H
#define MPEGDLL_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef uint8_t mpegdll_bool;

enum {
  MPEGDLL_ERR_NONE = 0,
  MPEGDLL_ERR_DECODER = 1,      /* internal decoder error */
  MPEGDLL_ERR_MODE = 2,         /* call not allowed in the current state, or bad argument */
  MPEGDLL_ERR_INPUT = 3,        /* input stream missing, unreadable or not MPEG audio */
  MPEGDLL_ERR_NOT_SEEKABLE = 4, /* seek or restart asked of a stream that cannot seek */
  MPEGDLL_ERR_OUTPUT = 5        /* the audio device or the output file cannot be opened/written */
};

enum { MPEGDLL_DEVICE_AUDIO = 0, MPEGDLL_DEVICE_PCM_FILE = 2 };

/* "GetStereoMode": the channel mode of the MPEG frame header. */
enum { MPEGDLL_STEREO = 0, MPEGDLL_JOINT_STEREO = 1, MPEGDLL_DUAL_CHANNEL = 2, MPEGDLL_MONO = 3 };

/* "GetPlayerMode". */
enum {
  MPEGDLL_MODE_CLOSED = 0,  /* no stream open */
  MPEGDLL_MODE_STOPPED = 1, /* open, not playing */
  MPEGDLL_MODE_PLAYING = 2,
  MPEGDLL_MODE_PAUSED = 3,
  MPEGDLL_MODE_ENDED = 4 /* playback reached its end position; the end flag is set */
};

/* Stream callbacks (from-stream flag 1). The first argument is the user pointer given to "Open".
 * Seek move methods are 0 from the start, 1 from the current position, 2 from the end; the seek
 * result is the new position or -1. Size gives the stream's length in bytes or -1 if unknown. */
typedef void (*mpegdll_open_cb)(void* user, mpegdll_bool* nonseekable, void** context);
typedef void (*mpegdll_close_cb)(void* user, void* context);
typedef void (*mpegdll_restart_cb)(void* user, void* context, mpegdll_bool* ok);
typedef void (*mpegdll_read_cb)(void* user, void* context, void* buffer, int32_t wanted,
                                int32_t* got, mpegdll_bool* ok);
typedef void (*mpegdll_seek_cb)(void* user, void* context, int32_t distance, int32_t method,
                                int32_t* result);
typedef void (*mpegdll_size_cb)(void* user, void* context, int32_t* result);

/* The 21 entry points, in the order the player looks them up.
 *
 * init             Prepares the library; true when ready. Every other call before it fails with
 *                  MPEGDLL_ERR_MODE. deinit closes what is open and undoes init.
 * Open             Closes the open stream, then opens the file `name` (from_stream 0) or the
 *                  stream behind the callbacks (from_stream 1; only "read" is required; "size"
 *                  is asked for a stream that cannot seek, to estimate its length) and reads its
 *                  first frame. Input that is not MPEG audio fails with MPEGDLL_ERR_INPUT and
 *                  leaves nothing open (a stream's close callback has been called).
 * SetOutputDevice  MPEGDLL_DEVICE_AUDIO or MPEGDLL_DEVICE_PCM_FILE with its file name; used by
 *                  the next Play or Restart. A PCM file is written as fast as it is decoded.
 * SetSndDevice     Audio device of the next Play: 0 or less the default, n > 0 the n-th device.
 * SetPriority      -15, -2, -1, 0, 1, 2, 15 (idle .. time critical), best effort.
 * Play             Plays the open stream from start_ms to end_ms (0: to the end); returns 0 when
 *                  started, -1 otherwise. The flag byte is cleared, and set to 1 by the playback
 *                  thread once the last sample was heard (or written and the file closed);
 *                  the library keeps its address until Close. Refused while playing or paused.
 *                  An output that fails while playing (a write, or closing the PCM file) also
 *                  ends the playback and sets the flag, but the mode becomes STOPPED and
 *                  "GetPlayerMode" reports MPEGDLL_ERR_OUTPUT until the next Play, Restart, Open
 *                  or Close.
 * Restart          Plays again with the arguments of the last Play. A stream that cannot seek
 *                  starts over through its restart callback (MPEGDLL_ERR_NOT_SEEKABLE if that
 *                  fails). A Play or Restart that fails leaves the player STOPPED.
 * Pause            Pauses (false) or resumes (true) a running playback.
 * Stop             Ends playback; the position stays where it was heard.
 * Seek             Moves the playing or stopped stream to a position (beyond the end: the end).
 * ResetPlayerMode  True when no playback is running; an ended playback becomes stopped.
 * Close            Stops and closes; never fails.
 * GetFrequency, GetBitrate, GetStereoMode, GetLayer describe the stream's first frame (or the
 * latest change of format); GetLength and GetCurrentPos are in ms (length 0 when unknown). */
typedef mpegdll_bool (*mpegdll_init_fn)(void);                         /* "init" */
typedef void (*mpegdll_deinit_fn)(void);                               /* "deinit" */
typedef void (*mpegdll_open_fn)(const char* name, int32_t from_stream, /* "Open" */
                                mpegdll_open_cb, mpegdll_close_cb, mpegdll_restart_cb,
                                mpegdll_read_cb, mpegdll_seek_cb, mpegdll_size_cb, void* user);
typedef void (*mpegdll_pause_fn)(mpegdll_bool resume);       /* "Pause" */
typedef void (*mpegdll_restart_fn)(void);                    /* "Restart" */
typedef void (*mpegdll_stop_fn)(void);                       /* "Stop" */
typedef void (*mpegdll_set_priority_fn)(int32_t priority);   /* "SetPriority" */
typedef void (*mpegdll_set_output_device_fn)(int32_t device, /* "SetOutputDevice" */
                                             const char* out_file);
typedef int32_t (*mpegdll_play_fn)(int32_t start_ms, int32_t end_ms, /* "Play" */
                                   uint8_t* end_flag);
typedef void (*mpegdll_close_fn)(void);                     /* "Close" */
typedef int32_t (*mpegdll_get_frequency_fn)(void);          /* "GetFrequency" (Hz) */
typedef int32_t (*mpegdll_get_bitrate_fn)(void);            /* "GetBitrate" (kbit/s) */
typedef uint8_t (*mpegdll_get_stereo_mode_fn)(void);        /* "GetStereoMode" */
typedef int32_t (*mpegdll_get_layer_fn)(void);              /* "GetLayer" (1..3) */
typedef int32_t (*mpegdll_get_player_mode_fn)(void);        /* "GetPlayerMode" */
typedef int32_t (*mpegdll_get_current_pos_fn)(void);        /* "GetCurrentPos" (ms) */
typedef int32_t (*mpegdll_get_length_fn)(void);             /* "GetLength" (ms) */
typedef mpegdll_bool (*mpegdll_reset_player_mode_fn)(void); /* "ResetPlayerMode" */
typedef void (*mpegdll_seek_fn)(int32_t position_ms);       /* "Seek" */
typedef void (*mpegdll_set_snd_device_fn)(int32_t device);  /* "SetSndDevice" */
typedef int32_t (*mpegdll_last_error_fn)(void);             /* "LastError" */

#ifdef __cplusplus
}
#endif

#endif
