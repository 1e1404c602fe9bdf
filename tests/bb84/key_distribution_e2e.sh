#!/usr/bin/env bash
# The key-distribution demonstration driven as a user would: open it from the
# menu, run the protocol at full speed, compare the two key rows, leave, reopen.
source "$(dirname "$0")/../support/e2e_lib.sh"

# Window x of the centre of column i (0..31) of both tables, and the y of the
# "Key" rows of table A and table B.
column_x() { echo $((89 + (2908 * $1) / 100)); }
KEY_A_Y=196
KEY_B_Y=406

# kept_columns SHOT Y: the columns whose key cell in the row at Y is lit amber.
kept_columns() {
  local shot="$1" y="$2" i x r g b kept=""
  for i in $(seq 0 31); do
    x="$(column_x "$i")"
    read -r r g b <<<"$(convert "$shot" -crop "20x24+$((WX + x - 10))+$((WY + y - 12))" +repage \
      -format '%[fx:round(maxima.r*255)] %[fx:round(maxima.g*255)] %[fx:round(maxima.b*255)]' info:)"
    if [ "$r" -gt 200 ] && [ "$g" -gt 130 ] && [ "$b" -lt 110 ]; then kept="$kept $i"; fi
  done
  echo "$kept"
}

echo "menu -> BB84 -> Speed 1 -> Start -> same key in both tables -> Return"
to_menu
menu="$MENU_WINDOW"
click "$menu" 122 362
bb84="$(wait_window "The BB84 Protocol")"
read -r WX WY <<<"$(window_origin "$bb84")"

# Before a run the key rows are empty.
import -window root "$WORK/before.png"
[ -z "$(kept_columns "$WORK/before.png" $KEY_A_Y)" ] || fail "key row lit before a run"

# The description hot spot answers the pointer resting on the red word.
read -r r g b <<<"$(region_max "$bb84" 20 630 560 70)"
[ "$g" -lt 100 ] || fail "description lines shown without the pointer: $r $g $b"
xdotool mousemove --window "$bb84" 79 625
end=$((SECONDS + 10))
until read -r r g b <<<"$(region_max "$bb84" 20 630 560 70)" && [ "$g" -gt 150 ]; do
  [ $SECONDS -gt $end ] && fail "description lines missing under the pointer: $r $g $b"
  sleep 0.1
done

# Speed to 1: drag the knob past the right end.
xdotool mousemove --window "$bb84" 1000 515 mousedown 1
sleep 0.2
xdotool mousemove --window "$bb84" 1060 515
sleep 0.2
xdotool mouseup 1
sleep 0.2

click "$bb84" 949 640
xdotool mousemove --window "$bb84" 600 760
bb84_wait_run "$bb84" 120
sleep 0.3
import -window root "$WORK/after.png"
kept_a="$(kept_columns "$WORK/after.png" $KEY_A_Y)"
kept_b="$(kept_columns "$WORK/after.png" $KEY_B_Y)"
echo "kept columns A:$kept_a"
echo "kept columns B:$kept_b"
[ -n "$kept_a" ] || fail "no key bit kept"
[ "$kept_a" = "$kept_b" ] || fail "the two key rows differ: A:$kept_a B:$kept_b"
[ "$(echo "$kept_a" | wc -w)" -lt 32 ] || fail "no column was discarded"

click "$bb84" 950 712
wait_gone "The BB84 Protocol"

echo "reopen: a fresh window; Escape acts as Return; Exit ends the program"
click "$menu" 122 362
bb84="$(wait_window "The BB84 Protocol")"
import -window root "$WORK/reopened.png"
[ -z "$(kept_columns "$WORK/reopened.png" $KEY_A_Y)" ] || fail "reopened window shows an old key"
press_key "$bb84" Escape
wait_gone "The BB84 Protocol"
click "$menu" 859 616
expect_exit
expect_quiet

echo "Return pressed during a run ends it and the program still exits cleanly"
to_menu
menu="$MENU_WINDOW"
click "$menu" 122 362
bb84="$(wait_window "The BB84 Protocol")"
click "$bb84" 949 640
sleep 2
click "$bb84" 950 712
wait_gone "The BB84 Protocol"
click "$menu" 859 616
expect_exit
expect_quiet
echo "all passed"
