#!/usr/bin/env bash
# Installs the Debian packages the game, its tests and its tools need, when any
# is missing. Uses sudo when not run as root. openbox is for the full-screen
# test only: the game itself needs no window manager.
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config ccache
  freeglut3-dev libglu1-mesa-dev libgl-dev libgl1-mesa-dri
  libopenal-dev libsndfile1-dev libpng-dev libtomlplusplus-dev
  googletest libgtest-dev libbenchmark-dev
  xvfb xauth xdotool imagemagick x11-utils
  openbox
  clang libclang-rt-14-dev
  libassimp-dev python3
  dpkg-dev file groff-base desktop-file-utils appstream lintian)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
fi
