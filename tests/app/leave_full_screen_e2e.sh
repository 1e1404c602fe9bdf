#!/usr/bin/env bash
# Leaving full screen on a 1920 x 1080 screen under a window manager: the menu,
# which opened full screen from a full-screen title, comes back centred at its
# design size; the next demonstration opens over it, inside the screen; and a
# window moved and resized by hand goes back there after full screen.
source "$(dirname "$0")/../support/e2e_lib.sh"

# wait_geometry WINDOW "X Y W H": waits until the window has this place and size.
wait_geometry() {
  local end=$((SECONDS + 10)) now
  while now="$(window_origin "$1") $(window_size "$1")"; [ "$now" != "$2" ]; do
    [ $SECONDS -gt $end ] && fail "$(xdotool getwindowname "$1") at $now, not $2"
    sleep 0.1
  done
}

use_screen 1920x1080
start_program
title="$(wait_window Demonstrations)"
press_key "$title" F11
wait_geometry "$title" "0 0 1920 1080"
click_design "$title" 344 373
menu="$(wait_window "$MENU")"
wait_geometry "$menu" "0 0 1920 1080"

echo "the menu leaves full screen centred at its design size"
press_key "$menu" F11
end=$((SECONDS + 10))
until [ "$(window_size "$menu")" = "1024 768" ]; do
  [ $SECONDS -gt $end ] && fail "the menu is $(window_size "$menu") after full screen"
  sleep 0.1
done
sleep "$SETTLE"
expect_inside_screen "$menu"
read -r x y <<<"$(window_origin "$menu")"
# Centred but for the window manager's frame, which is at most 12 by 48 pixels.
[ $((x + 512 - 960)) -le 12 ] && [ $((960 - x - 512)) -le 12 ] &&
  [ $((y + 384 - 540)) -le 48 ] && [ $((540 - y - 384)) -le 48 ] ||
  fail "the menu at $x,$y is not centred"

echo "the next demonstration opens over the menu, inside the screen"
bb84="$(open_demo "$menu" "$BB84")"
wait_geometry "$bb84" "$x $y 1024 768"
expect_inside_screen "$bb84"

echo "a window moved and resized by hand goes back there after full screen"
xdotool windowsize "$bb84" 1200 900 windowmove "$bb84" 300 100
wait_geometry "$bb84" "300 100 1200 900"
press_key "$bb84" F11
wait_geometry "$bb84" "0 0 1920 1080"
press_key "$bb84" F11
wait_geometry "$bb84" "300 100 1200 900"
press_key "$bb84" Escape
wait_gone "$BB84"
click_design "$menu" 859 616
expect_exit 10
expect_quiet
echo "all passed"
