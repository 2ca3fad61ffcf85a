#!/usr/bin/env bash
# Installs every Debian package that building, running, testing and packaging the game needs.
# Idempotent: packages already present are left alone. Says which packages are missing and why
# root is needed before it asks sudo for a password; apt's own output is shown only on failure.
set -euo pipefail
packages=(
  build-essential cmake pkg-config ccache
  qt6-base-dev qt6-svg-dev libgl-dev zlib1g-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libjpeg62-turbo-dev
  libsdl2-dev libsdl2-mixer-dev timgm6mb-soundfont
  libmpg123-dev lame
  fonts-dejavu-core
  clang libclang-rt-14-dev clang-format
  xvfb xdotool imagemagick
  weston qt6-wayland
  desktop-file-utils appstream
  libxcb1-dev dbus-daemon
  file lintian
)
# Named packages, when given, are installed instead of the list above.
[ $# -gt 0 ] && packages=("$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "install-deps: missing Debian packages: ${missing[*]}"
root=()
if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: installing packages needs root, so apt-get runs through sudo"
  if ! command -v sudo >/dev/null ||
    ! sudo -p "install-deps: the password of %u for sudo: " true; then
    echo "install-deps: cannot become root here; ask an administrator to run:"
    echo "  apt-get install ${missing[*]}"
    exit 1
  fi
  root=(sudo)
fi
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# Runs an apt step quietly; on failure shows the end of its output.
quietly() {
  "${root[@]}" env DEBIAN_FRONTEND=noninteractive "$@" >"$log" 2>&1 ||
    { tail -20 "$log"; echo "install-deps: failed: $*"; exit 1; }
}
echo "install-deps: updating the package lists"
quietly apt-get update -qq
echo "install-deps: installing ${#missing[@]} packages and what they need"
quietly apt-get install -y -qq --no-install-recommends "${missing[@]}"
echo "install-deps: done"
