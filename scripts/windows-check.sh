#!/usr/bin/env bash
# The Windows side: cross-builds the toolkit-free code and its tests with MinGW-w64 and runs them
# under Wine; builds the decoder library mpegdll.dll, checks its exports and compares its decoding
# of an MP3 with the native one.
#
# GoogleTest, libmpg123 and SDL2 are cross-built once from Debian's sources into a cache folder
# outside the clone, keyed by their versions, so that later runs on the same machine skip them.
# The Wine prefix lives in the same cache.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
./scripts/install-windows-deps.sh

triplet=x86_64-w64-mingw32
cache=${XDG_CACHE_HOME:-$HOME/.cache}/tavis-klondike-mingw
version() { dpkg-query -W -f='${Version}' "$1"; }
compiler=$(version g++-mingw-w64-x86-64-posix)
prefix=$cache/prefix-$(echo "$compiler" | tr -c 'A-Za-z0-9.\n' _)
build=$source_dir/build-windows
mkdir -p "$cache/src" "$prefix"
export LANG=C.UTF-8 WINEDEBUG=-all WINEPREFIX=$cache/wineprefix WINEDLLOVERRIDES='mscoree,mshtml='
# Runs a step of a library build with its output in a log, shown only when it fails.
quiet() {
  nice -n 10 "$@" >"$cache/last-step.log" 2>&1 || { tail -40 "$cache/last-step.log"; exit 1; }
}
toolchain=(-DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-w64.cmake"
  -DKLONDIKE_MINGW_PREFIX="$prefix" -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release)

# Builds library $1 (the source package $2 at the version of the installed package $3) with the
# function $4, unless the cache holds that version already.
cross_build() {
  local name=$1 source=$2 ver
  ver=$(version "$3")
  local stamp=$prefix/.built-$name-$ver
  [ -f "$stamp" ] && return
  echo "windows: cross-building $name $ver"
  local work=$cache/src/$name-$ver
  rm -rf "$work" && mkdir -p "$work"
  if [ "$source" = googletest ]; then
    cp -r /usr/src/googletest "$work/source"
  else
    # The checksums of the .dsc are checked by apt; a mirror that lacks the upstream tarball's
    # own signature (.asc) fails the download of that file alone, so extraction goes on without.
    (cd "$work" && apt-get source -qq --download-only "$source=$ver" >/dev/null 2>&1 || true)
    (cd "$work" && quiet dpkg-source --no-check -x ./*.dsc source)
  fi
  (cd "$work/source" && "$4")
  rm -rf "$work"
  touch "$stamp"
}
build_googletest() {
  quiet cmake -S . -B build "${toolchain[@]}" -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON
  quiet cmake --build build -j2 --target install
}
build_mpg123() {
  # The decoding library alone, static; nothing of the build machine's audio is looked for.
  PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig quiet ./configure --host=$triplet --prefix="$prefix" \
    --disable-shared --enable-static --disable-modules --with-audio=dummy \
    --with-default-audio=dummy
  quiet make -j2 install-libLTLIBRARIES install-includeHEADERS install-nodist_includeHEADERS \
    install-pkgconfigDATA lib_LTLIBRARIES=src/libmpg123/libmpg123.la \
    nodist_include_HEADERS=src/libmpg123/mpg123.h pkgconfig_DATA=libmpg123.pc
}
build_sdl2() {
  # Static, with the audio it is used for and the threads and timers audio needs; without the
  # table of entry points for replacing the library at run time, which would name the video parts
  # (SDL can only be told so in its source).
  sed -i 's/^#define SDL_DYNAMIC_API 1$/#define SDL_DYNAMIC_API 0/' src/dynapi/SDL_dynapi.h
  quiet cmake -S . -B build "${toolchain[@]}" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF \
    -DSDL2_DISABLE_SDL2MAIN=ON -DSDL_VIDEO=OFF -DSDL_RENDER=OFF -DSDL_JOYSTICK=OFF \
    -DSDL_HAPTIC=OFF -DSDL_HIDAPI=OFF -DSDL_SENSOR=OFF -DSDL_POWER=OFF -DSDL_LOCALE=OFF \
    -DSDL_MISC=OFF -DSDL_FILESYSTEM=OFF -DSDL_DIRECTX=OFF -DSDL_RENDER_D3D=OFF
  quiet cmake --build build -j2 --target install
}
cross_build googletest googletest googletest build_googletest
cross_build mpg123 mpg123 libmpg123-dev build_mpg123
cross_build sdl2 libsdl2 libsdl2-dev build_sdl2

# Wine's background services would hold the test runner's output open: a persistent server
# started apart, with its input and output elsewhere, in place of any left running on the prefix.
wine_server() { wineserver "$@" </dev/null >/dev/null 2>&1; }
mkdir -p "$WINEPREFIX"
wine_server -p || { wine_server -k || true; wine_server -w || true; wine_server -p; }
trap 'wine_server -k || true' EXIT
if [ ! -f "$WINEPREFIX/.booted" ]; then
  wineboot -i </dev/null >/dev/null 2>&1
  touch "$WINEPREFIX/.booted"
fi

echo "windows: building the toolkit-free code into $build"
# The build type of the native build, whose warnings it shares.
cmake -S . -B "$build" "${toolchain[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKLONDIKE_TOOLKIT_FREE_ONLY=ON -DKLONDIKE_WERROR=ON >/dev/null
nice -n 10 cmake --build "$build" -j2 >"$build/build.log" 2>&1 ||
  { tail -60 "$build/build.log"; exit 1; }
nice -n 10 ctest --test-dir "$build" -j2 --output-on-failure --timeout 600 </dev/null

echo "windows: checking mpegdll.dll"
dll=$build/bin/mpegdll.dll
exports=$($triplet-objdump -p "$dll" |
  sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | awk '/\]/ && NR > 1 {print $NF}' | sort)
expected=$(grep '^typedef' src/music/mpegdll/mpegdll.h | grep -o '/\* "[A-Za-z]*"' |
  tr -d '/*" ' | sort)
if [ "$exports" != "$expected" ]; then
  echo "mpegdll.dll exports differ from mpegdll.h:"
  diff <(echo "$expected") <(echo "$exports") || true
  exit 1
fi
work=$build/decode-check
rm -rf "$work" && mkdir -p "$work"
# Our own cue, synthesized by the cross-built sound_maker under Wine, encoded by lame.
lame --quiet -b 128 "$build/play/mirt_2.wav" "$work/cue.mp3"
mpg123 -q -s "$work/cue.mp3" >"$work/native.pcm"
nice -n 10 wine "$build/bin/mpegdll_decode.exe" "$work/cue.mp3" "$work/windows.pcm" </dev/null
cmp "$work/native.pcm" "$work/windows.pcm"
echo "windows: mpegdll.dll exports its $(echo "$exports" | wc -l) names and decodes" \
  "$(stat -c %s "$work/native.pcm") PCM bytes as mpg123 does"
