#!/usr/bin/env bash
# Installs every Debian package that building, running and testing the game needs.
# Idempotent: packages already present are left alone.
set -euo pipefail
packages=(
  build-essential cmake pkg-config
  qt6-base-dev libgl-dev
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
)
# Named packages, when given, are installed instead of the list above.
[ $# -gt 0 ] && packages=("$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
