#!/usr/bin/env bash
# Builds the Debian package from build/ (configured and built before) and checks it with
# lintian: an error fails, warnings are shown. Prints the package's name and size.
set -euo pipefail
cd "$(dirname "$0")/../build"
rm -f tavis-klondike_*.deb
cpack -G DEB >cpack.log 2>&1 || { tail -30 cpack.log; exit 1; }
package=$(ls tavis-klondike_*.deb)
echo "package: $package, $(stat -c %s "$package") bytes"
status=0
findings=$(lintian --fail-on error "$package" 2>&1) || status=$?
# lintian's note that it runs as root, as CI does, is no finding.
grep -v 'running with root privileges' <<<"$findings" || true
[ "$status" -eq 0 ] || { echo "package: lintian found errors"; exit 1; }
echo "package: lintian finds no error"
