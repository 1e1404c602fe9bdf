#!/usr/bin/env bash
# The program on a classroom's screens under a window manager: on a 1280 x 720
# projector every window opens inside the screen and Start, clicked where the
# scaled layout puts it, starts each demonstration; on 1920 x 1080, F11 fills the
# screen with a demonstration and Start works there too.
source "$(dirname "$0")/../support/e2e_lib.sh"

# A point of Start's face, beside its label: green while it takes clicks.
declare -A START_FACE=([$BELL]="745 215" [$TELEPORT]="680 733" [$BB84]="896 640")

start_active() {
  local x y r g b
  read -r x y <<<"$(design_point "$1" ${START_FACE[$2]})"
  read -r r g b <<<"$(pixel "$1" "$x" "$y")"
  [ "$g" -gt 150 ] && [ "$r" -lt 80 ]
}

# wait_size WINDOW W H: waits until the window has that size.
wait_size() {
  local end=$((SECONDS + 10))
  until [ "$(window_size "$1")" = "$2 $3" ]; do
    [ $SECONDS -gt $end ] && fail "$(xdotool getwindowname "$1") is $(window_size "$1"), not $2 $3"
    sleep 0.1
  done
  sleep "$SETTLE"
}

# start_each MENU_WINDOW [full]: opens each demonstration (full screen with F11
# when asked), checks it lies inside the screen, starts it with a click on Start
# and leaves it with Escape.
start_each() {
  local demo window sw sh
  read -r sw sh <<<"$(xdotool getdisplaygeometry)"
  for demo in "$BELL" "$TELEPORT" "$BB84"; do
    click_design "$1" ${LAUNCH[$demo]}
    window="$(wait_window "$demo")"
    if [ "${2:-}" = full ]; then
      press_key "$window" F11
      wait_size "$window" "$sw" "$sh"
    fi
    expect_inside_screen "$window"
    start_active "$window" "$demo" || fail "Start of $demo not active"
    click_design "$window" ${START[$demo]}
    ! start_active "$window" "$demo" || fail "a click on Start did not start $demo"
    press_key "$window" Escape
    wait_gone "$demo"
  done
}

use_screen 1280x720
start_program
title="$(wait_window Demonstrations)"
expect_inside_screen "$title"
[ "$(window_size "$title")" != "1024 768" ] || fail "the title window was not scaled down"
click_design "$title" 344 373
menu="$(wait_window "$MENU")"
expect_inside_screen "$menu"
start_each "$menu"
click_design "$menu" 859 616
expect_exit 10

use_screen 1920x1080
start_program
title="$(wait_window Demonstrations)"
[ "$(window_size "$title")" = "1024 768" ] || fail "the title window is scaled where it fits"
click_design "$title" 344 373
menu="$(wait_window "$MENU")"
start_each "$menu" full
# A demonstration opened from a full-screen menu opens full screen.
press_key "$menu" F11
wait_size "$menu" 1920 1080
click_design "$menu" ${LAUNCH[$BELL]}
bell="$(wait_window "$BELL")"
wait_size "$bell" 1920 1080
press_key "$bell" Escape
wait_gone "$BELL"
click_design "$menu" 859 616
expect_exit 10
expect_quiet
