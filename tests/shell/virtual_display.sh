# Sourced by the tests that play the game on a virtual screen: start_virtual_display SCRATCH starts
# Xvfb (1024 x 768) on a free display number, sets xvfb_pid and exports DISPLAY.
start_virtual_display() {
  local fifo=$1/display display
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  read -r display <"$fifo"
  export DISPLAY=:$display
}
