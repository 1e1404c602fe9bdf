#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: unit tests, window tests
# on a virtual display, and end-to-end tests of the built program; then all of
# them again on a build with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install_deps.sh"
"$root/scripts/build.sh" "$root/build" -DORVANTIS_TESTS=ON
"$root/scripts/build.sh" "$root/build-sanitize" -DORVANTIS_TESTS=ON -DORVANTIS_SANITIZE=ON

source "$root/tests/support/display.sh"
start_display
trap stop_display EXIT

echo "== Tests"
(cd "$root/build" && ctest -j2 --output-on-failure --timeout 300)

echo "== Tests with sanitizers"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tests/support/lsan.supp:print_suppressions=0"
(cd "$root/build-sanitize" && ctest -j2 --output-on-failure --timeout 300)
