#!/usr/bin/env bash
# The keyboard and a presenter's remote: keys open demonstrations from the menu
# and press a demonstration's buttons whichever control has the focus, while
# digits typed into the Experiment field stay there.
source "$(dirname "$0")/../support/e2e_lib.sh"

# lit WINDOW X Y: the light of a light button at this pixel is red.
lit() {
  local r g b
  read -r r g b <<<"$(pixel "$1" "$2" "$3")"
  [ "$r" -gt 200 ] && [ "$g" -lt 60 ]
}
COUNT_LIGHT="770 263"
STOP_LIGHT="907 235"
# scene WINDOW: a fingerprint of the Bell scene, which changes at every frame of a run.
scene() { region_hash "$1" 15 340 994 390; }

to_menu
menu="$MENU_WINDOW"

echo "3 on the menu opens BB84, Escape returns"
press_key "$menu" 3
bb84="$(wait_window "$BB84")"
press_key "$bb84" Escape
wait_gone "$BB84"

echo "Page Down on the menu opens Bell"
press_key "$menu" Next
bell="$(wait_window "$BELL")"

echo "in the Experiment field, digits type and Stop's keys only hold"
click "$bell" 929 50
press_key "$bell" ctrl+a
press_key "$bell" 4
press_key "$bell" period
lit "$bell" $STOP_LIGHT || fail "'.' did not switch Stop on"
press_key "$bell" 2
press_key "$bell" b
lit "$bell" $STOP_LIGHT && fail "'b' did not switch Stop off"

echo "c lights Count, Space counts the 42 pairs typed"
press_key "$bell" c
lit "$bell" $COUNT_LIGHT || fail "'c' did not switch Count on"
press_key "$bell" space
sleep 0.5
width="$(ink_width "$bell" 878 90 104 28)"
[ "$width" -gt 25 ] || fail "Performed does not show two digits (ink width $width): 42 was not typed"

echo "Space starts an animated run although the focus is on Count"
click "$bell" 821 263
lit "$bell" $COUNT_LIGHT && fail "Count still lit"
press_key "$bell" space
lit "$bell" $COUNT_LIGHT && fail "Space pressed the focused Count"
before="$(scene "$bell")"
sleep 0.5
[ "$(scene "$bell")" != "$before" ] || fail "Space did not start a run"

echo "s holds the run, s again lets it go on"
press_key "$bell" s
lit "$bell" $STOP_LIGHT || fail "'s' did not switch Stop on"
held="$(scene "$bell")"
sleep 0.7
[ "$(scene "$bell")" = "$held" ] || fail "the run went on while Stop was lit"
press_key "$bell" s
sleep 0.5
[ "$(scene "$bell")" != "$held" ] || fail "the run did not go on after the second 's'"

echo "Escape returns to the menu during the run"
press_key "$bell" Escape
wait_gone "$BELL"
expect_alive
click "$menu" 859 616
expect_exit
expect_quiet
echo "all passed"
