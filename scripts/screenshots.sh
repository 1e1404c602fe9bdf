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

# run_to_end WINDOW: Start in the BB84 window, then wait until Start is green again.
run_to_end() {
  click "$1" ${START[$BB84]}
  bb84_wait_run "$1" 120 quick
  sleep 0.5
}

# bb84_eve: Eve on ("e"), a photon flying past her station, the error check
# that caught her (runs are repeated until one does: she slips through about
# one run in ten), and a counting run.
bb84_eve() {
  local window r g b i
  window="$(open_demo "$menu" "$BB84")"
  press_key "$window" e
  click "$window" ${START[$BB84]}
  # At the class's pace, wait for a photon between Eve's station and B's: a
  # bright pixel there.
  for i in $(seq 1 400); do
    read -r r g b <<<"$(region_max "$window" 500 560 110 80)"
    [ $((r > g ? r : g)) -gt 200 ] && break
    sleep 0.05
  done
  shot "$window" bb84-eve
  # The rest as fast as it draws.
  click "$window" ${RETURN[$BB84]}
  wait_gone "$BB84"
  click "$menu" 859 616
  expect_exit
  start_program
  click "$(wait_window Demonstrations)" 344 373
  menu="$(wait_window "$MENU")"
  window="$(open_demo "$menu" "$BB84")"
  press_key "$window" e
  xdotool mousemove --window "$window" 1000 515 mousedown 1
  sleep 0.2
  xdotool mousemove --window "$window" 1060 515
  sleep 0.2
  xdotool mouseup 1
  for i in 1 2 3 4 5; do
    run_to_end "$window"
    read -r r g b <<<"$(region_max "$window" 240 700 460 20)"
    [ "$r" -gt 200 ] && [ "$g" -lt 120 ] && break
  done
  shot "$window" bb84-caught
  click "$window" 951 681
  run_to_end "$window"
  shot "$window" bb84-count
  click "$window" ${RETURN[$BB84]}
  wait_gone "$BB84"
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

# done_running WINDOW [X Y]: waits until Start (at X Y, the teleportation's by
# default) shows its own green again: greyed during a run it is a pale green,
# and a lesson waiting at a caption makes it green.
done_running() {
  local r g b
  sleep 0.5
  while read -r r g b <<<"$(pixel "$1" "${2:-680}" "${3:-733}")" && ! { [ "$g" -gt 150 ] && [ "$r" -lt 60 ]; }; do
    sleep 0.2
  done
}

# lesson_shot TITLE NAME STOPS X Y [KEY...]: the KEYs, then Lesson lit ("n"),
# in a fresh window, Space through STOPS waits (Start at X Y), the picture,
# then Lesson off and Return.
lesson_shot() {
  local window stop key
  window="$(open_demo "$menu" "$1")"
  for key in "${@:6}"; do
    press_key "$window" "$key"
  done
  press_key "$window" n
  for stop in $(seq 1 "$3"); do
    press_key "$window" space
    done_running "$window" "$4" "$5"
  done
  shot "$window" "$2"
  press_key "$window" n
  press_key "$window" Escape
  wait_gone "$1"
}

# A caption of each demonstration's lesson: Bell's entangled pair, and BB84's
# photon just past Eve (the teleportation's comes with its options below).
lesson_shot "$BELL" bell-lesson 2 745 220
lesson_shot "$BB84" bb84-lesson 4 900 660 e

# The teleportation's options.
window="$(open_demo "$menu" "$TELEPORT")"
click "$window" 80 717  # Message off
# A run whose result turns the photon (lamp 2 or 3 lit): it comes out at
# another angle than the input's.
for try in 1 2 3 4 5 6 7 8 9 10; do
  click "$window" ${START[$TELEPORT]}
  done_running "$window"
  read -r r2 g2 b2 <<<"$(pixel "$window" 147 414)"
  read -r r3 g3 b3 <<<"$(pixel "$window" 185 414)"
  [ $((r2 - b2)) -gt 100 ] || [ $((r3 - b3)) -gt 100 ] && break
done
shot "$window" teleport-no-message
click "$window" 463 717  # Repeat on
click "$window" 80 717   # Message on
click "$window" ${START[$TELEPORT]}
done_running "$window"
shot "$window" teleport-tally
click "$window" 80 717   # Message off
click "$window" ${START[$TELEPORT]}
done_running "$window"
shot "$window" teleport-tally-no-message
# Lesson mode ("n"), with the message: Space through the stages to Bob's, where
# the class is asked what to look for. Start turns green again at each wait;
# Lesson switched off then lets the run play to its end.
click "$window" 463 717  # Repeat off
click "$window" 80 717   # Message on
press_key "$window" n
for stop in 1 2 3 4 5 6 7; do
  press_key "$window" space
  done_running "$window"
done
shot "$window" teleport-lesson
press_key "$window" n
done_running "$window"
click "$window" ${RETURN[$TELEPORT]}
wait_gone "$TELEPORT"
# The verdict after 20,000 counted pairs, by quantum mechanics and then by the
# local source ("l" lights Local). Counting them takes a second or two.
bell="$(open_demo "$menu" "$BELL")"
click "$bell" 821 263
click "$bell" 929 50
press_key "$bell" ctrl+a
xdotool type --delay 50 20000
for source in quantum local; do
  [ "$source" = local ] && press_key "$bell" l
  click "$bell" ${START[$BELL]}
  sleep 6
  shot "$bell" "bell-$source-20000"
done
click "$bell" ${RETURN[$BELL]}
wait_gone "$BELL"
click "$menu" 859 616
expect_exit

# At the class's pace (no --no-frame-limit): a local pair, then Eve's pictures,
# the first of them.
(cd "$WORK" && exec "$ORVANTIS" >"$WORK/stdout" 2>"$WORK/stderr") &
PROGRAM_PID=$!
click "$(wait_window Demonstrations)" 344 373
menu="$(wait_window "$MENU")"
# A local pair on its way to the detectors, held by Stop, at the class's pace
# (frames drawn as fast as they go would carry the pair past before a look):
# Local and Pause on (Pause keeps the photons in flight the longer), one pair.
bell="$(open_demo "$menu" "$BELL")"
press_key "$bell" l
press_key "$bell" p
click "$bell" 929 50
press_key "$bell" ctrl+a
xdotool type --delay 50 1
click "$bell" ${START[$BELL]}
end=$((SECONDS + 20))
until [ "$(count_pixels "$bell" 520 380 380 160 'r < 40 && g > 150 && b > 150')" -gt 30 ]; do
  [ $SECONDS -le $end ] || fail "no local pair's rods in the picture"
done
press_key "$bell" s
shot "$bell" bell-local-pair
press_key "$bell" s
click "$bell" ${RETURN[$BELL]}
wait_gone "$BELL"
bb84_eve
click "$menu" 859 616
expect_exit

# The classroom's screens: the menu opened on a 1280 x 720 projector under a
# window manager, title bar included, and a run at full screen on 1920 x 1080.
use_screen 1280x720
start_program
title="$(wait_window Demonstrations)"
click_design "$title" 344 373
menu="$(wait_window "$MENU")"
sleep 0.5
import -window root "$root/docs/menu-1280x720.png" && echo docs/menu-1280x720.png
click_design "$menu" 859 616
expect_exit

use_screen 1920x1080
start_program
title="$(wait_window Demonstrations)"
click_design "$title" 344 373
menu="$(wait_window "$MENU")"
click_design "$menu" ${LAUNCH[$BELL]}
bell="$(wait_window "$BELL")"
press_key "$bell" F11
sleep 1
click_design "$bell" ${START[$BELL]}
sleep 1.2
import -window root "$root/docs/bell-full-screen.png" && echo docs/bell-full-screen.png
press_key "$bell" Escape
wait_gone "$BELL"
click_design "$menu" 859 616
expect_exit
