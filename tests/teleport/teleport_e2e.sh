#!/usr/bin/env bash
# The teleportation demonstration driven as a user would: open it from the menu,
# play a run, read the angle, go back, reopen, close it with Escape, leave.
source "$(dirname "$0")/../support/e2e_lib.sh"

TITLE="Quantum-teleportation"
# Points halfway out on the six legend arrows (0, 30, ... 150 degrees).
LEGEND=("314 608" "318 623" "330 634" "346 638" "362 634" "374 623")

# coloured_arrows WINDOW: the indices of the legend arrows that are not grey.
coloured_arrows() {
  local i r g b lo hi out=""
  for i in 0 1 2 3 4 5; do
    read -r x y <<<"${LEGEND[$i]}"
    read -r r g b <<<"$(region_max "$1" $((x - 2)) $((y - 2)) 5 5)"
    hi=$(printf '%s\n' "$r" "$g" "$b" | sort -n | tail -1)
    lo=$(printf '%s\n' "$r" "$g" "$b" | sort -n | head -1)
    if [ $((hi - lo)) -gt 60 ]; then out="$out$i "; fi
  done
  echo "${out% }"
}

# readout_width WINDOW: width in pixels of the dark text in the "Polarization:" box
# (0 when it is empty).
readout_width() { ink_width "$1" 325 696 70 35 20; }

# start_active WINDOW: Start shows its own green only while it can be pressed.
start_active() {
  read -r r g b <<<"$(pixel "$1" 680 733)"
  [ "$g" -gt 150 ] && [ "$r" -lt 60 ]
}

# wait_running WINDOW: waits until the run started by a click has greyed Start.
wait_running() {
  local end=$((SECONDS + 20))
  while start_active "$1"; do
    [ $SECONDS -gt $end ] && fail "Start still active during the run"
    sleep 0.1
  done
}

expect_fresh() {
  [ "$(coloured_arrows "$1")" = "0 1 2 3 4 5" ] || fail "fresh legend not in six colours: $(coloured_arrows "$1")"
  local width
  width="$(readout_width "$1")"
  [ "$width" = "0" ] || fail "fresh read-out not empty: $width"
  start_active "$1" || fail "Start not active in a fresh window"
}

echo "menu -> teleportation -> Start -> angle read -> Return -> fresh window -> Exit"
to_menu
menu="$MENU_WINDOW"
click "$menu" 592 62
win="$(wait_window "$TITLE" 20)"
expect_fresh "$win"
# A second click on the launcher raises the shown window instead of a new one.
click "$menu" 592 62
[ "$(xdotool search --name "^$TITLE\$" | wc -l)" -eq 1 ] || fail "second window built while one is shown"

click "$win" 732 715
wait_running "$win"
end=$((SECONDS + 60))
until start_active "$win"; do
  [ $SECONDS -gt $end ] && fail "run did not finish"
  sleep 0.3
done
arrows="$(coloured_arrows "$win")"
case "$arrows" in
  [0-5]) ;;
  *) fail "after the run the legend should colour one arrow, got '$arrows'" ;;
esac
width="$(readout_width "$win")"
# 0 has one digit, 30..90 two, 120 and 150 three.
case "$arrows" in
  0) [ "$width" -gt 8 ] && [ "$width" -lt 28 ] ;;
  1|2|3) [ "$width" -ge 28 ] && [ "$width" -le 48 ] ;;
  4|5) [ "$width" -gt 48 ] && [ "$width" -lt 68 ] ;;
esac || fail "read-out width $width does not fit the angle $((arrows * 30))"
echo "  angle $((arrows * 30)) degrees, read-out $width pixels wide"

click "$win" 953 717
wait_gone "$TITLE"
[ -n "$(find_window "Main menu")" ] || fail "menu not shown after Return"
click "$menu" 592 62
win="$(wait_window "$TITLE" 20)"
expect_fresh "$win"

echo "Escape acts as Return, also in the middle of a run"
click "$win" 732 715
wait_running "$win"
xdotool mousemove --window "$win" 500 300
press_key "$win" Escape
wait_gone "$TITLE"
click "$menu" 592 62
win="$(wait_window "$TITLE" 20)"
expect_fresh "$win"

echo "Return pressed during a run ends it; Exit then ends the program at once"
click "$win" 732 715
wait_running "$win"
click "$win" 953 717
wait_gone "$TITLE"
click "$menu" 859 616
expect_exit 5
expect_quiet
echo "all passed"
