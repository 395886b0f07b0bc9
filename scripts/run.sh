#!/usr/bin/env bash
# Installs what is needed, builds Zelvo and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Zelvo needs a graphical desktop, and none was found (DISPLAY is not set); it is built in build/zelvo/." >&2
  exit 1
fi
exec build/zelvo/zelvo
