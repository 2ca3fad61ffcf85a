#!/usr/bin/env bash
# Builds only what the game needs (the game, its libraries, card sets, sounds, help and tunes)
# and starts it with the player's files in the per-user play folder, which a new build (or
# rm -rf build) leaves alone. One line per phase; a failing build shows the end of its log.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
echo "run: configuring build/"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
log=build/run-build.log
echo "run: building the game with its card sets, sounds, help and tunes (log: $log)"
cmake --build build -j2 --target game-with-assets >"$log" 2>&1 ||
  { tail -40 "$log"; echo "run: the build failed; the whole log is $log"; exit 1; }
play=${XDG_DATA_HOME:-$HOME/.local/share}/tavis-klondike
echo "run: starting the game; the player's files are in $play"
exec build/bin/klondike --play-dir "$play" "$@"
