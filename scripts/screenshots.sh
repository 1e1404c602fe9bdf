#!/usr/bin/env bash
# Takes the README's pictures of the program on a virtual display and writes
# them to docs/. Run after a build (scripts/build.sh).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export ORVANTIS="$root/build/orvantis" ORVANTIS_ASSETS="$root/build"
source "$root/tests/support/e2e_lib.sh"

# shot WINDOW NAME: the window's picture as docs/NAME.png.
shot() {
  local wx wy
  read -r wx wy <<<"$(window_origin "$1")"
  import -window root -crop "1024x768+$wx+$wy" +repage "$root/docs/$2.png"
  echo "docs/$2.png"
}

# demo TITLE NAME SECONDS: opens a demonstration, starts it, and takes its
# picture SECONDS later, in the middle of the run.
demo() {
  local window
  window="$(open_demo "$menu" "$1")"
  click "$window" ${START[$1]}
  sleep "$3"
  shot "$window" "$2"
  click "$window" ${RETURN[$1]}
  wait_gone "$1"
}

start_program
title="$(wait_window Demonstrations)"
sleep 1
shot "$title" title
click "$title" 344 373
menu="$(wait_window "$MENU")"
sleep 0.5
shot "$menu" menu
demo "$BELL" bell 1.2
demo "$TELEPORT" teleport 2.2
demo "$BB84" bb84 6
click "$menu" 859 616
expect_exit
