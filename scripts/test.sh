#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: unit tests, window tests
# on a virtual display, and end-to-end tests of the built program.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install_deps.sh"
"$root/scripts/build.sh" "$root/build" -DORVANTIS_TESTS=ON

source "$root/tests/support/display.sh"
start_display
trap stop_display EXIT

cd "$root/build"
ctest -j2 --output-on-failure --timeout 300
