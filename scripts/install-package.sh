#!/usr/bin/env bash
# Installs what is needed, builds Zelvo, makes its Debian package and installs
# that, so Zelvo appears in the application menu for every user.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
rm -f build/zelvo_*.deb
(cd build && cpack -G DEB >/dev/null)
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --reinstall "$(ls "$PWD"/build/zelvo_*.deb)"
echo "Zelvo is installed: start it from the application menu, or run zelvo."
