#!/usr/bin/env bash
# The game as a native Wayland client under a headless weston: its window carries the installed
# launcher's name as app id and the game is still running a few seconds later. Then the maximize
# tests of the window test program, answered by a real compositor, which ends a client whose
# maximized window keeps another size.
# usage: wayland_game_test.sh GAME LAUNCHER QT_PLUGIN_DIR MAXIMIZE_TEST
# Exits 77 (skipped) when weston or Qt's Wayland plugin is not installed.
set -euo pipefail
game=$1 launcher=$2 plugins=$3 maximize_test=$4
for tool in weston weston-debug; do
  command -v $tool >/dev/null || { echo "SKIP: $tool is not installed (package weston)"; exit 77; }
done
compgen -G "$plugins/platforms/libqwayland*.so" >/dev/null ||
  { echo "SKIP: Qt's Wayland plugin is not installed (package qt6-wayland)"; exit 77; }

. "$(dirname "$0")/test_kit.sh"

export XDG_RUNTIME_DIR=$scratch/runtime WAYLAND_DISPLAY=klondike-test QT_QPA_PLATFORM=wayland
export SDL_AUDIODRIVER=dummy
mkdir -m 700 "$XDG_RUNTIME_DIR" "$scratch/play"
weston --backend=headless-backend.so --use-pixman --debug --socket="$WAYLAND_DISPLAY" \
  --width=1280 --height=1024 >"$scratch/weston.log" 2>&1 &
weston_pid=$!
scene() { weston-debug scene-graph 2>/dev/null || true; }
for _ in $(seq 300); do scene | grep -q "^Output" && break; sleep 0.1; done
scene | grep -q "^Output" || fail "weston did not start: $(cat "$scratch/weston.log")"

"$game" --play-dir "$scratch/play" >"$scratch/game.log" 2>&1 &
game_pid=$!
# The first start shows that the settings file is missing, in a window of the game.
windows=
for _ in $(seq 300); do
  windows=$(scene | grep -o "top-level window '.*' of [^,]*" || true)
  [ -n "$windows" ] && break
  sleep 0.1
done
[ -n "$windows" ] || fail "no window: $(cat "$scratch/game.log")"
app_id=$(basename "$launcher" .desktop)
grep -q " of $app_id\$" <<<"$windows" || fail "app id of [$windows] is not $app_id"
sleep 3
kill -0 "$game_pid" 2>/dev/null || fail "the game ended: $(cat "$scratch/game.log")"
echo "window of $app_id, running after 3 seconds"

"$maximize_test" || fail "maximize requests under weston"
