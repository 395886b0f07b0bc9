#!/usr/bin/env bash
# Installs what Zelvo needs to build, run and test, from Debian's packages.
# Safe to run again; uses sudo when not run as root.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev libxcb1-dev libx11-dev
  libavformat-dev libavcodec-dev libswresample-dev libavutil-dev
  libsdl2-dev libtag1-dev
  libgtest-dev libbenchmark-dev
  xvfb xauth openbox xdotool x11-utils wmctrl python3
  pulseaudio pulseaudio-utils dbus-daemon dbus-session-bus-common
  fonts-dejavu-core
  desktop-file-utils appstream dbus-daemon dbus-bin playerctl
  x11-xserver-utils lintian
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
