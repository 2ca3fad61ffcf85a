// midi_maker <folder>: writes the game's own tunes and a "Playlist.ini" that lists them.
#include "music/playlist_file.h"
#include "platform/file_io.h"
#include "tools/midi_maker/tunes.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: midi_maker <output folder>\n");
    return 2;
  }
  const std::string folder = argv[1];
  try {
    music::Playlist playlist;
    for (const midi_maker::Tune& tune : midi_maker::gameTunes()) {
      const std::vector<std::uint8_t> image = midi_maker::writeStandardMidiFile(tune.song);
      std::string error;
      if (!platform::writeFileAtomically(platform::joinPath(folder, tune.fileName), image.data(),
                                         image.size(), &error)) {
        std::fprintf(stderr, "midi_maker: %s: %s\n", tune.fileName.c_str(), error.c_str());
        return 1;
      }
      // Bare names: the game runs in this folder, so they are found relative to it.
      playlist.push_back(tune.fileName);
    }
    // Written by the game's own playlist writer, so that the game reads it back as it is.
    if (const auto failure = music::savePlaylist(playlist, folder)) {
      std::fprintf(stderr, "midi_maker: %s\n", failure->c_str());
      return 1;
    }
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "midi_maker: %s\n", failure.what());
    return 1;
  }
  return 0;
}
