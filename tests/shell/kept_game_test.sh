#!/usr/bin/env bash
# The game in progress survives a kill -9: started under Xvfb in a new play folder (with no message
# on its first start), the game makes two moves and is killed without warning; the next start goes
# on with the same game (the table and undo steps that SIGTERM then keeps again are those of the
# last move), and the settings file stays as it was.
# usage: kept_game_test.sh GAME
set -euo pipefail
game=$1
. "$(dirname "$0")/test_kit.sh"

export HOME=$scratch/home SDL_AUDIODRIVER=dummy
play=$scratch/play kept=$scratch/play/Game.ini
mkdir -p "$HOME"
start_virtual_display

start_game() {
  "$game" --play-dir "$play" >>"$scratch/game.log" 2>&1 &
  game_pid=$!
  window=$(timeout 60 xdotool search --sync --onlyvisible --name "^TAVI's Klondike" | head -1)
  [ -n "$window" ] || fail "no table window"
  sleep 1  # the deal is drawn after the window maps
}
undo_steps() { grep -c '^Undo=' "$kept" || true; }
# Polls for at most 10 s until the kept game has $1 undo steps.
wait_for_steps() {
  for _ in $(seq 50); do
    [ -f "$kept" ] && [ "$(undo_steps)" = "$1" ] && return 0
    sleep 0.2
  done
  fail "the kept game has $(undo_steps) undo steps, not $1"
}

start_game
# A new folder named by --play-dir starts with the table alone, as the per-user folder does.
windows=$(xdotool search --onlyvisible --name . getwindowname %@ | sort -u)
[ "$windows" = "TAVI's Klondike " ] || fail "windows other than the table: $windows"
# Two turns of the stock, the first place of the bottom row (table pixels 5..93 x 395..525, below
# the menu bar).
stock_x=49 stock_y=480
for steps in 1 2; do
  xdotool mousemove --window "$window" "$stock_x" "$stock_y" click 1
  wait_for_steps "$steps"
done
kept_table=$(grep '^Table=' "$kept")
cp "$play/mirt.ini" "$scratch/settings"
kill -9 "$game_pid"
wait "$game_pid" 2>/dev/null || true

start_game
kill -TERM "$game_pid"  # kept again on the way out, as it was resumed
wait "$game_pid" 2>/dev/null || true
game_pid=
[ "$(grep '^Table=' "$kept")" = "$kept_table" ] || fail "the resumed table is another"
[ "$(undo_steps)" = 2 ] || fail "the resumed game has $(undo_steps) undo steps"
cmp -s "$play/mirt.ini" "$scratch/settings" || fail "the settings file was changed"
echo "kept game: the table and both undo steps of the killed game came back"
