#!/usr/bin/env bash
# Opening and leaving every demonstration many times keeps memory flat: windows
# replaced by newer ones are reclaimed.
# Ninety visits: shorter pauses than usual, as every step waits for its window.
SETTLE=0.1 CLICK_PAUSE=0.05
source "$(dirname "$0")/../support/e2e_lib.sh"

to_menu
menu="$MENU_WINDOW"
for visit in $(seq 1 30); do
  for demo in "$BELL" "$TELEPORT" "$BB84"; do
    window="$(open_demo "$menu" "$demo")"
    # Alternate the two ways back: Return, and Escape (as the window's close).
    if [ $((visit % 2)) -eq 1 ]; then
      click "$window" ${RETURN[$demo]}
    else
      press_key "$window" Escape
    fi
    wait_gone "$demo"
  done
  if [ "$visit" -eq 5 ]; then after_five="$(resident_kib)"; fi
done
after_thirty="$(resident_kib)"
growth=$((after_thirty - after_five))
echo "resident memory after 5 visits: ${after_five} KiB, after 30: ${after_thirty} KiB, growth ${growth} KiB"
[ "$growth" -le $((16 * 1024)) ] || fail "memory grew by ${growth} KiB between the 5th and the 30th visit"
click "$menu" 859 616
expect_exit
expect_quiet
echo "all passed"
