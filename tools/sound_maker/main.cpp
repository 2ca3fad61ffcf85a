// Synthesizes the game's two wave cues into the folder given as the only argument.
#include <cstdio>
#include <string>
#include <utility>

#include "platform/file_io.h"
#include "tools/sound_maker/cues.h"
#include "tools/sound_maker/wav_writer.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: sound_maker OUTPUT_DIR\n");
    return 2;
  }
  for (const auto& [name, samples] : {std::pair{"mirt_1.wav", synthesizeRefusal()},
                                      std::pair{"mirt_2.wav", synthesizeFanfare()}}) {
    const std::string path = platform::joinPath(argv[1], name);
    if (!writeWave(path, samples, kCueSampleRate)) {
      std::fprintf(stderr, "sound_maker: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
