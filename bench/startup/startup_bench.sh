#!/usr/bin/env bash
# Start-up time and resident memory of the game against the floor that Qt itself costs (a bare
# Qt main window of the game's size with a menu bar and a status bar) and, where it is installed,
# against AisleRiot (`sol`), another solitaire program.
#
# Each run starts one program under a virtual X server with a private session bus (as on any
# desktop; without one Qt's accessibility code would launch a bus daemon on every start) and
# measures exec to the first mapped top-level window, then the resident memory after 2 s idle.
# The programs take turns, round after round, so that a busy moment hits them all alike; the
# medians and the ratios to the bare window and to AisleRiot are reported.
#
# With WAKEUPS=<seconds> each run also clicks into the mapped window (the game: a press on the
# table, which starts the clock, and one beside the cards, which plays the refusal cue; AisleRiot:
# a press on its stock) and then counts the context switches of all threads over that many
# seconds of idle time from 12 s after the clicks on: the wake-ups per second while idle with the
# clock running and sound on.
# SDL's audio goes to its disk driver (a sound card's pace, no sound card needed) unless
# SDL_AUDIODRIVER is set.
#
# With BASELINE=<another build folder> that build's game runs too, as "base" (to compare a change).
#
# Use: bench/startup/startup_bench.sh [BUILD_DIR [ROUNDS]]      (default: build 15)
# Needs: the targets klondike, bare_window and map_timer built; Xvfb, dbus-run-session, xdotool.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
rounds=${2:-15}
wakeups=${WAKEUPS:-0}
bin=$build/bin
for program in klondike bare_window map_timer; do
  [ -x "$bin/$program" ] || { echo "missing $bin/$program: build it first" >&2; exit 1; }
done
sol=$(command -v sol || true)
[ -z "$sol" ] && [ -x /usr/games/sol ] && sol=/usr/games/sol

work=$(mktemp -d)
cleanup() { [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-disk} SDL_DISKAUDIOFILE=${SDL_DISKAUDIOFILE:-/dev/null}
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM DBUS_SESSION_BUS_ADDRESS

# The game runs in a scratch copy of the play folder whose settings file exists (a first start
# would greet the player with a message box instead of the table): a first run dismisses that
# message, turns on the normal score (so that a press on the table starts the clock) and saves the
# settings through the File menu.
play=$work/play
mkdir "$play"
for file in "$build/play"/*; do [ "$(basename "$file")" = mirt.ini ] || ln -s "$file" "$play/"; done
(cd "$play" && dbus-run-session -- "$bin/map_timer" --idle 1 --after-map 'sleep 0.5
   xdotool mousemove --window "$WINDOW" 20 20 key Return; sleep 1
   main=$(xdotool search --onlyvisible --name Klondike | head -1)
   xdotool mousemove --window "$main" 135 8 click 1 sleep 0.5 key s sleep 0.3 key n sleep 0.5 \
     mousemove --window "$main" 18 8 click 1 sleep 0.5 key s sleep 1' \
   -- "$bin/klondike" >/dev/null 2>&1) || true
[ -f "$play/mirt.ini" ] || { echo "could not save the game's settings in $play" >&2; exit 1; }

programs=(bare game)
[ -n "${BASELINE:-}" ] && programs+=(base)
[ -n "$sol" ] && programs+=(sol)

run() {  # run NAME: one measurement line of the program NAME
  local clicks=() dir=$PWD command=()
  case $1 in
    bare) command=("$bin/bare_window") ;;
    game|base)
          command=("$bin/klondike"); dir=$play
          [ "$1" = base ] && command=("$(cd "$BASELINE" && pwd)/bin/klondike")
          clicks=(--after-map 'xdotool mousemove --sync --window "$WINDOW" 40 120 click 1 \
                  mousemove --sync --window "$WINDOW" 640 400 click 1') ;;
    sol)  command=("$sol")
          clicks=(--after-map 'xdotool mousemove --sync --window "$WINDOW" 60 120 click 1') ;;
  esac
  local options=(--idle 2)
  # Wake-ups are counted once the game's audio device has had time to close (10 s after a cue).
  if [ "$wakeups" != 0 ]; then options=(--idle 12 --wakeups "$wakeups" "${clicks[@]}"); fi
  (cd "$dir" && dbus-run-session -- "$bin/map_timer" "${options[@]}" -- "${command[@]}" \
     2>/dev/null)
}

for round in $(seq "$rounds"); do
  for i in "${!programs[@]}"; do
    name=${programs[$(( (i + round) % ${#programs[@]} ))]}
    line=$(run "$name" | grep -o "map_ms=.*" || true)  # a program may print lines of its own
    echo "$name $line" >>"$work/results"
    printf '\rround %d/%d' "$round" "$rounds" >&2
  done
done
echo >&2

median() {  # median NAME FIELD
  grep "^$1 " "$work/results" | tr ' ' '\n' | sed -n "s/^$2=//p" | sort -g |
    awk '{ v[NR] = $1 } END { if (NR == 0) print "nan";
          else if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b + 0 > 0) printf "%.2f", a / b; else print "-" }'; }

bare_ms=$(median bare map_ms); bare_kb=$(median bare rss_kb)
sol_ms=$( [ -n "$sol" ] && median sol map_ms || echo 0)
sol_kb=$( [ -n "$sol" ] && median sol rss_kb || echo 0)
printf '%d rounds, medians; ratios against the bare Qt window and AisleRiot\n' "$rounds"
printf '%-6s %9s %7s %7s %10s %7s %7s' program map_ms x_bare x_sol rss_MB x_bare x_sol
[ "$wakeups" != 0 ] && printf ' %10s' wakeups/s
echo
for name in "${programs[@]}"; do
  ms=$(median "$name" map_ms); kb=$(median "$name" rss_kb)
  printf '%-6s %9.1f %7s %7s %10.1f %7s %7s' "$name" "$ms" "$(ratio "$ms" "$bare_ms")" \
    "$(ratio "$ms" "$sol_ms")" "$(awk -v k="$kb" 'BEGIN { print k / 1024 }')" \
    "$(ratio "$kb" "$bare_kb")" "$(ratio "$kb" "$sol_kb")"
  [ "$wakeups" != 0 ] && printf ' %10.1f' "$(median "$name" wakeups_per_s)"
  echo
done
