#!/usr/bin/env bash
# Builds the game, lays out its play directory (card sets, sounds, help, music) and starts it there.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
cd build/play
exec ../bin/klondike "$@"
