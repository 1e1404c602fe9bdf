#!/usr/bin/env bash
# Counting runs of the key distribution as a class would see them: Eve switched
# on with her key, Count lit, Start; the error-rate bar shows about a quarter,
# the kept-bits bar about a half. Without Eve the error bar stays empty.
source "$(dirname "$0")/../support/e2e_lib.sh"

# Window places of the additions and of the counting run's bars (100 % = 400 px).
EVE_BUTTON="45 751"
COUNT_BUTTON="951 681"
BAR_LEFT=158
KEPT_BAR_Y=657
ERROR_BAR_Y=680


# bar_percent WINDOW Y TEST: the length of the bar at Y whose pixels pass the
# colour TEST (an ImageMagick fx expression), in percent of the track.
bar_percent() {
  local wx wy box width
  read -r wx wy <<<"$(window_origin "$1")"
  box="$(import -window root -crop "420x6+$((wx + BAR_LEFT))+$((wy + $2))" +repage png:- |
    convert png:- -fx "$3" -bordercolor black -border 1 -format '%@' info: 2>/dev/null || true)"
  width="${box%%x*}"
  [ "${width:-0}" -le 1 ] && width=0
  echo $((width / 4))
}
RED='r > 0.75 && g < 0.4 && b < 0.4'
AMBER='r > 0.75 && g > 0.55 && g < 0.9 && b < 0.3'

# count WINDOW: one counting run from Start to its end.
count() {
  click "$1" 949 640
  bb84_wait_run "$1" 60 quick
  sleep 0.5
}

echo "menu -> BB84 -> e (Eve) -> Count -> Start: error rate 20..30 %, kept about half"
to_menu
menu="$MENU_WINDOW"
bb84="$(open_demo "$menu" "$BB84")"
press_key "$bb84" e
read -r r g b <<<"$(pixel "$bb84" 20 751)"
[ "$r" -gt 200 ] && [ "$g" -lt 80 ] || fail "Eve's light is not on after the key: $r $g $b"
click "$bb84" $COUNT_BUTTON
count "$bb84"
error="$(bar_percent "$bb84" $ERROR_BAR_Y "$RED")"
kept="$(bar_percent "$bb84" $KEPT_BAR_Y "$AMBER")"
echo "with Eve: error rate bar $error %, kept bar $kept %"
[ "$error" -ge 20 ] && [ "$error" -le 30 ] || fail "error rate with Eve: $error %"
[ "$kept" -ge 45 ] && [ "$kept" -le 55 ] || fail "kept share with Eve: $kept %"

echo "Eve off -> Start: no error at all"
click "$bb84" $EVE_BUTTON
count "$bb84"
error="$(bar_percent "$bb84" $ERROR_BAR_Y "$RED")"
kept="$(bar_percent "$bb84" $KEPT_BAR_Y "$AMBER")"
echo "without Eve: error rate bar $error %, kept bar $kept %"
[ "$error" -eq 0 ] || fail "error rate without Eve: $error %"
[ "$kept" -ge 45 ] && [ "$kept" -le 55 ] || fail "kept share without Eve: $kept %"

click "$bb84" 950 712
wait_gone "$BB84"
click "$menu" 859 616
expect_exit
expect_quiet
echo "all passed"
