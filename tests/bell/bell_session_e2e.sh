#!/usr/bin/env bash
# The Bell demonstration driven as a user would: open it from the menu, count
# 5000 pairs, go back, open it again fresh, close it with Escape, leave.
source "$(dirname "$0")/../support/e2e_lib.sh"

# start_active WINDOW: Start's face is green (0, 182, 0) when it takes clicks.
start_active() {
  local r g b
  read -r r g b <<<"$(pixel "$1" 745 215)"
  [ "$r" -lt 40 ] && [ "$g" -gt 150 ] && [ "$b" -lt 40 ]
}

open_bell() {
  click "$menu" 122 150
  wait_window Bell-inequality
}

to_menu
menu="$MENU_WINDOW"

echo "menu -> Bell: a fresh window"
bell="$(open_bell)"
start_active "$bell" || fail "Start not active in a fresh window"
[ "$(ink_width "$bell" 878 90 104 28)" -lt 25 ] || fail "Performed does not show 0"
[ "$(ink_width "$bell" 60 102 61 31)" -eq 0 ] || fail "counter box not empty"

echo "Count on, Experiment 5000, Start"
click "$bell" 821 263
click "$bell" 929 50
xdotool windowfocus --sync "$bell" 2>/dev/null || true
xdotool key ctrl+a 2>/dev/null || true
xdotool type --delay 50 5000 2>/dev/null || true
sleep 0.3
click "$bell" 806 193
end=$((SECONDS + 30))
until start_active "$bell"; do
  [ $SECONDS -le $end ] || fail "run did not end"
  sleep 0.2
done
end=$((SECONDS + 10))
until width="$(ink_width "$bell" 878 90 104 28)" && [ "$width" -gt 45 ]; do
  [ $SECONDS -le $end ] || fail "Performed does not show four digits (ink width $width)"
  sleep 0.1
done
[ "$(ink_width "$bell" 60 102 61 31)" -gt 10 ] || fail "counter box A-A (+,-) still empty"
width="$(ink_width "$bell" 60 57 61 31)"
[ "$width" -gt 0 ] && [ "$width" -lt 25 ] || fail "counter box A-A (+,+) should show 0 (ink width $width)"

echo "Return -> menu, open again: fresh counters"
click "$bell" 953 303
wait_gone Bell-inequality
bell="$(open_bell)"
[ "$(ink_width "$bell" 878 90 104 28)" -lt 25 ] || fail "reopened window does not show Performed 0"
[ "$(ink_width "$bell" 60 102 61 31)" -eq 0 ] || fail "reopened window shows old counts"

echo "Escape closes the Bell window like Return"
xdotool mousemove --window "$bell" 500 500
press_key "$bell" Escape
wait_gone Bell-inequality

echo "menu Exit ends the program"
click "$menu" 859 616
expect_exit
expect_quiet
echo "all passed"
