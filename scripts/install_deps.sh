#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages the project needs to build, run and test,
# only those that are missing, so a prepared machine starts at once. Packages
# named as arguments are installed too (the fresh-machine check adds its own).
# Usage: scripts/install_deps.sh [PACKAGE...]
set -euo pipefail

# fluid: FLTK's CMake files import it as a target, and libfltk1.3-dev only
# recommends it, so without it configuration fails on a bare machine.
# file: cpack's Debian packages find the programs whose libraries they depend on with it.
packages=(
  build-essential cmake pkg-config file
  libfltk1.3-dev fluid fonts-liberation2 libfreetype-dev libfontconfig-dev libgl1-mesa-dev libglu1-mesa-dev freeglut3-dev
  libgl1-mesa-dri
  libgtest-dev
  xvfb xauth xdotool imagemagick openbox x11-utils
  "$@"
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg -s "$package" 2>/dev/null | grep -q '^Status: install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
# A fresh machine's package lists may be empty.
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
