// mpegdll_decode MP3 PCM: decodes an MP3 file into raw PCM through the decoder library's PCM file
// output. The Windows check compares what it writes under Wine with the native decoder's output.
#include "music/mpegdll/mpegdll.h"

#include <chrono>
#include <cstdio>
#include <thread>
#include <type_traits>

// The entry points used here, declared from the library's own function types.
extern "C" {
std::remove_pointer_t<mpegdll_init_fn> init;
std::remove_pointer_t<mpegdll_open_fn> Open;
std::remove_pointer_t<mpegdll_set_output_device_fn> SetOutputDevice;
std::remove_pointer_t<mpegdll_play_fn> Play;
std::remove_pointer_t<mpegdll_get_player_mode_fn> GetPlayerMode;
std::remove_pointer_t<mpegdll_close_fn> Close;
std::remove_pointer_t<mpegdll_deinit_fn> deinit;
}

namespace {

int fail(const char* what) {
  std::fprintf(stderr, "mpegdll_decode: %s\n", what);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return fail("usage: mpegdll_decode MP3 PCM");
  if (!init()) return fail("init failed");
  Open(argv[1], 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
  if (GetPlayerMode() != MPEGDLL_MODE_STOPPED) return fail("cannot open the MP3 file");
  SetOutputDevice(MPEGDLL_DEVICE_PCM_FILE, argv[2]);
  volatile std::uint8_t ended = 0;
  if (Play(0, 0, const_cast<std::uint8_t*>(&ended)) != 0) return fail("cannot start decoding");
  // The PCM output runs as fast as it decodes; a minute is far beyond any test file.
  for (int waited = 0; !ended && waited < 6000; ++waited)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  const bool whole = ended && GetPlayerMode() == MPEGDLL_MODE_ENDED;
  Close();
  deinit();
  return whole ? 0 : fail("decoding did not end cleanly");
}
