#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: unit tests, window tests
# on a virtual display, and end-to-end tests of the built program; then all of
# them again on a build with AddressSanitizer and UndefinedBehaviorSanitizer;
# then the Debian package and the README's commands on a freshly made minimal
# system; last, the Windows installer and zip, cross-built here and tested
# under Wine.
# Usage: scripts/test.sh [--unit]   (--unit: only the unit tests, no display)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
if [ "${1:-}" = "--unit" ]; then
  "$root/scripts/install_deps.sh"
  "$root/scripts/build.sh" "$root/build" -DORVANTIS_TESTS=ON -DORVANTIS_SANITIZE=OFF \
    -DORVANTIS_BENCH=OFF --target unit_tests
  cd "$root/build" && exec ctest --output-on-failure --timeout 300 -R '^unit[.]'
fi
# The package and its installation are checked with Debian's own tools.
"$root/scripts/install_deps.sh" lintian appstream desktop-file-utils man-db
"$root/scripts/build.sh" "$root/build" -DORVANTIS_TESTS=ON -DORVANTIS_SANITIZE=OFF \
  -DORVANTIS_BENCH=ON
"$root/scripts/build.sh" "$root/build-sanitize" -DORVANTIS_TESTS=ON -DORVANTIS_SANITIZE=ON \
  -DORVANTIS_BENCH=OFF

source "$root/tests/support/display.sh"
start_display
trap stop_display EXIT

echo "== Tests"
(cd "$root/build" && ctest -j2 --output-on-failure --timeout 300)

echo "== Tests with sanitizers"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:verify_asan_link_order=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tests/support/lsan.supp:print_suppressions=0"
# The GL vendor library and Mesa's driver are loaded for a moment and unloaded
# again when freeglut opens its display; what they allocated then could not be
# traced to them at exit. Preloaded, they stay and their leaks are suppressed
# by name (tests/support/lsan.supp).
libdir="/usr/lib/$(gcc -print-multiarch)"
preload=""
for lib in "$libdir/libGLX_mesa.so.0" "$libdir/dri/swrast_dri.so"; do
  [ -e "$lib" ] && preload="$preload $lib"
done
# The randomized end-to-end test runs shorter here; resident memory is not
# measured, as the sanitizers keep freed memory in quarantine; no package is made;
# the walks through whole demonstrations are left to the normal pass (see
# tests/CMakeLists.txt).
(cd "$root/build-sanitize" && LD_PRELOAD="$preload" MONKEY_SECONDS=30 \
  ctest -j2 --output-on-failure --timeout 300 --label-exclude 'memory|package|walkthrough')

echo "== The Debian package and the README's commands on a fresh machine"
rm -rf "$root/build/package"
cpack -G DEB -B "$root/build/package" --config "$root/build/CPackConfig.cmake" >/dev/null
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo bash "$root/scripts/fresh_machine_check.sh" "$root"/build/package/orvantis_*.deb

echo "== The Windows build under Wine"
"$root/scripts/build_windows.sh"
# wine64 runs the installer and the program; gocr reads the counters off the screen.
"$root/scripts/install_deps.sh" wine64 gocr unzip
bash "$root/tests/windows/wine_test.sh"
