# Sourced by the tests that start the game as a program: a scratch folder that is removed at exit
# after the programs started (game_pid, xvfb_pid, weston_pid, when set) are ended; `fail MESSAGE`
# ends the test with the message and the game's log; start_virtual_display starts Xvfb
# (1024 x 768) on a free display number, sets xvfb_pid and exports DISPLAY.
scratch=$(mktemp -d)
game_pid= xvfb_pid= weston_pid=
finish() {
  local pid
  for pid in "$game_pid" "$weston_pid" "$xvfb_pid"; do
    [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
  done
  wait 2>/dev/null
  rm -rf "$scratch"
}
trap finish EXIT
fail() {
  echo "FAIL: $*"
  [ -f "$scratch/game.log" ] && cat "$scratch/game.log"
  exit 1
}

start_virtual_display() {
  local fifo=$scratch/display display
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  read -r display <"$fifo"
  export DISPLAY=:$display
}
