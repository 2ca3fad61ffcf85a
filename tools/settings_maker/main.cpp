// Writes the settings file of a first start (the defaults with the default card set) into the
// folder given as the only argument, so that a new play folder gets it with the other default
// files and a newcomer's first start shows the table.
#include <cstdio>

#include "shell/preferences.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: settings_maker OUTPUT_DIR\n");
    return 2;
  }
  if (const auto message = shell::saveSettings(shell::firstStartPreferences(), argv[1])) {
    std::fprintf(stderr, "settings_maker: %s\n", message->text.c_str());
    return 1;
  }
  return 0;
}
