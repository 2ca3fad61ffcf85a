#!/usr/bin/env bash
# Installs what the Windows check needs: the MinGW-w64 cross compiler, Wine, and the tools and
# source entries for cross-building libmpg123 and SDL2 from Debian's source packages.
# Idempotent: packages already present are left alone, the source entry is written once.
set -euo pipefail
packages=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  mingw-w64-x86-64-dev wine wine64 dpkg-dev mpg123 lame googletest
)
SUDO=; [ "$(id -u)" -ne 0 ] && SUDO=sudo
# Debian's source packages need a deb-src entry beside the binary ones.
src_list=/etc/apt/sources.list.d/tavis-klondike-src.sources
if [ ! -f "$src_list" ]; then
  $SUDO tee "$src_list" >/dev/null <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  $SUDO apt-get update -qq
fi
"$(dirname "$0")/install-deps.sh" "${packages[@]}"
