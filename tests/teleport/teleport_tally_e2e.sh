#!/usr/bin/env bash
# The teleportation tally as a class sees it: Repeat and Message switched by
# their keys, a thousand teleportations with the message and a thousand
# without, their shares read from the bars the window shows.
source "$(dirname "$0")/../support/e2e_lib.sh"

# Rows of the bars (window pixels): Alice's results 0..3, then output = input.
# A bar starts at x 600 and is 200 pixels long for a share of 1.
RESULT_ROWS=(486 519 552 585)
MATCH_ROW=651

# bar_width WINDOW Y gold|green: how many pixels of the row are the bar's colour.
bar_width() {
  local wx wy
  read -r wx wy <<<"$(window_origin "$1")"
  import -window root -crop "230x1+$((wx + 590))+$((wy + $2))" -depth 8 txt:- |
    sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' |
    awk -v kind="$3" '
      kind == "gold" && $1 > 200 && $2 > 140 && $2 < 230 && $3 < 60 { n++ }
      kind == "green" && $2 > 200 && $1 < 60 && $3 < 60 { n++ }
      END { print n + 0 }'
}

# lit WINDOW X: whether the light of the option button whose light is at X glows red.
lit() {
  local r g b
  read -r r g b <<<"$(pixel "$1" "$2" 717)"
  [ "$r" -gt 200 ] && [ "$g" -lt 100 ]
}

start_active() {
  local r g b
  read -r r g b <<<"$(pixel "$1" 680 733)"
  [ "$g" -gt 150 ] && [ "$r" -lt 60 ]
}

# tally WINDOW LOW HIGH: Start, then wait for a finished tally whose match bar
# is LOW..HIGH pixels long; checks the result bars and prints the shares.
tally() {
  local win="$1" match=0 end=$((SECONDS + 60)) row width sum=0 widths=""
  click "$win" 732 715
  until start_active "$win" && match="$(bar_width "$win" $MATCH_ROW green)" &&
        [ "$match" -ge "$2" ] && [ "$match" -le "$3" ]; do
    [ $SECONDS -gt $end ] && fail "no finished tally with a match bar of $2..$3 pixels (last $match)"
    sleep 0.3
  done
  for row in "${RESULT_ROWS[@]}"; do
    width="$(bar_width "$win" "$row" gold)"
    # A quarter of 200 pixels, 5 sigma of 1000 runs (14 pixels) and a pixel of rounding.
    [ "$width" -ge 35 ] && [ "$width" -le 65 ] || fail "result bar at y $row is $width pixels"
    sum=$((sum + width)) widths="$widths $width"
  done
  [ "$sum" -ge 196 ] && [ "$sum" -le 204 ] || fail "result bars add up to $sum pixels"
  echo "  result bars$widths of 200 pixels, output = input $match"
}

echo "menu -> teleportation -> r (Repeat) -> Start: every output equals its input"
to_menu
win="$(open_demo "$MENU_WINDOW" "$TELEPORT")"
lit "$win" 26 || fail "Message not lit in a fresh window"
lit "$win" 416 && fail "Repeat lit in a fresh window"
press_key "$win" r
lit "$win" 416 || fail "r did not light Repeat"
tally "$win" 199 201

echo "m (Message off) -> Start: about a third"
press_key "$win" m
lit "$win" 26 && fail "m did not switch Message off"
# A third of 200 pixels, 5 sigma of 1000 runs (15 pixels) and a pixel of rounding.
tally "$win" 51 82

click "$win" 953 717
wait_gone "$TELEPORT"
click "$MENU_WINDOW" 859 616
expect_exit 5
expect_quiet
echo "all passed"
