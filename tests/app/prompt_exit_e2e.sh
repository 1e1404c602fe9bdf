#!/usr/bin/env bash
# The program ends within a second of its last window being hidden, also when a
# run was going in a demonstration that was left, and when Stop was lit there.
source "$(dirname "$0")/../support/e2e_lib.sh"

# leave_running TITLE HOW: opens a demonstration, starts its run, optionally
# lights Stop, leaves it by Return or Escape, then exits from the menu.
leave_running() {
  local demo="$1" stop="$2" how="$3" menu window
  echo "$demo: run started, Stop $stop, left by $how, then Exit"
  to_menu
menu="$MENU_WINDOW"
  window="$(open_demo "$menu" "$demo")"
  click "$window" ${START[$demo]}
  sleep 0.5
  if [ "$stop" = lit ]; then click "$window" ${STOP[$demo]}; fi
  sleep 0.3
  if [ "$how" = Return ]; then
    click "$window" ${RETURN[$demo]}
  else
    press_key "$window" Escape
  fi
  wait_gone "$demo"
  expect_alive
  click "$menu" 859 616
  expect_exit_within 1000
  expect_quiet
}

leave_running "$BELL" off Return
leave_running "$BELL" lit Escape
leave_running "$TELEPORT" off Escape
leave_running "$TELEPORT" lit Return
leave_running "$BB84" off Return
leave_running "$BB84" lit Escape

echo "Stop lit without a run, window closed, then Exit"
to_menu
menu="$MENU_WINDOW"
window="$(open_demo "$menu" "$BELL")"
click "$window" ${STOP[$BELL]}
press_key "$window" Escape
wait_gone "$BELL"
click "$menu" 859 616
expect_exit_within 1000
echo "all passed"
