#!/usr/bin/env bash
# The installed game: installs the build into a scratch prefix, starts the game under Xvfb from a
# folder that holds none of its files, with a scratch home, and checks that it drew a card of its
# default card set, with no message before it, and filled the per-user play folder without touching
# the player's file there; the installed tools name themselves by their installed names.
# usage: installed_game_test.sh BUILD_DIR GAME_NAME X Y
#   X, Y: a pixel of the table window inside the card that the deal puts first in column one
set -euo pipefail
build=$1 name=$2 x=$3 y=$4
. "$(dirname "$0")/test_kit.sh"

"${CMAKE:-cmake}" --install "$build" --prefix "$scratch/prefix" >/dev/null
export HOME=$scratch/home XDG_DATA_HOME=$scratch/data SDL_AUDIODRIVER=dummy
play=$XDG_DATA_HOME/$name
data=$scratch/prefix/share/$name
mkdir -p "$HOME" "$play" "$scratch/elsewhere"
# The player's own first sound: it must survive the first start.
cp "$data/mirt_2.wav" "$play/mirt_1.wav"

start_virtual_display
(cd "$scratch/elsewhere" && exec "$scratch/prefix/games/$name") >"$scratch/game.log" 2>&1 &
game_pid=$!
# The new play folder gets the first start's settings with the other default files: the table
# shows at once, with no message about a missing settings file.
table=$(timeout 60 xdotool search --sync --onlyvisible --name "^TAVI's Klondike" | head -1)
[ -n "$table" ] || fail "no table window: $(cat "$scratch/game.log")"
sleep 2  # the deal is drawn after the window maps
windows=$(xdotool search --onlyvisible --name . getwindowname %@ | sort -u)
[ "$windows" = "TAVI's Klondike " ] || fail "windows other than the table: $windows"
import -window "$table" "$scratch/shot.png"
pixel=$(convert "$scratch/shot.png" -format "%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]" \
  -crop "1x1+$x+$y" info:)
read -r r g b <<<"$pixel"
# A card face is near white; the table, or a card set that failed to load, is not.
[ "$r" -gt 200 ] && [ "$g" -gt 200 ] && [ "$b" -gt 200 ] || fail "no card at $x,$y: $pixel"

for file in mirt.ini Vessant.tvp mirt_2.wav mirt.hlp Playlist.ini; do
  [ -f "$play/$file" ] || fail "$file was not copied into $play"
done
cmp -s "$data/mirt_2.wav" "$play/mirt_1.wav" || fail "the player's mirt_1.wav was replaced"
for library in mpegdll klondike-audio; do  # loaded on the first song or sound
  compgen -G "$scratch/prefix/lib*/games/$name/lib$library.so" >/dev/null ||
    fail "lib$library.so not installed"
done
# The installed tools name themselves as installed.
for tool in "$name-deal" "$name-cardset"; do
  usage=$("$scratch/prefix/games/$tool" 2>&1 || true)
  grep -q "^usage: $tool " <<<"$usage" || fail "$tool's usage names another program: $usage"
done
[ -z "$(ls -A "$scratch/elsewhere")" ] || fail "files written into the start folder"
echo "installed game: card at $x,$y ($pixel), play folder $play filled"
