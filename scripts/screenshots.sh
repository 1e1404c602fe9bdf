#!/usr/bin/env bash
# Takes the README's pictures of the program on a virtual display and writes
# them to docs/. Run after a build (scripts/build.sh).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export ORVANTIS="$root/build/orvantis" ORVANTIS_ASSETS="$root/build"
source "$root/tests/support/e2e_lib.sh"

# shot WINDOW NAME: the window's picture as docs/NAME.png.
shot() {
  local geometry wx wy
  geometry="$(xdotool getwindowgeometry --shell "$1")"
  wx="$(echo "$geometry" | sed -n 's/^X=//p')"
  wy="$(echo "$geometry" | sed -n 's/^Y=//p')"
  import -window root -crop "1024x768+$wx+$wy" +repage "$root/docs/$2.png"
  echo "docs/$2.png"
}

start_program
title="$(wait_window Demonstrations)"
sleep 1
shot "$title" title
click "$title" 344 373
menu="$(wait_window "Main menu")"
sleep 0.5
shot "$menu" menu
click "$menu" 859 616
expect_exit
