#!/usr/bin/env bash
# Builds only what the game needs (the game, its decoder library, card sets, sounds, help and
# tunes) and starts it with the player's files in the per-user play folder, which a new build
# (or rm -rf build) leaves alone.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
echo "run: configuring build/"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
echo "run: building the game with its card sets, sounds, help and tunes (target game-with-assets)"
cmake --build build -j2 --target game-with-assets
play=${XDG_DATA_HOME:-$HOME/.local/share}/tavis-klondike
echo "run: starting the game; the player's files are in $play"
exec build/bin/klondike --play-dir "$play" "$@"
