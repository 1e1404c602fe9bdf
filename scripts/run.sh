#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quantum Orvantis.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install_deps.sh"
"$root/scripts/build.sh" "$root/build" -DORVANTIS_TESTS=OFF -DORVANTIS_BENCH=OFF
if [ -z "${DISPLAY:-}" ]; then
  echo "No display found: to run without a screen, use: xvfb-run -s '-screen 0 1280x1024x24' $0" >&2
  exit 1
fi
# The program reads its title picture from the folder it is started in.
cd "$root/build"
exec ./orvantis
