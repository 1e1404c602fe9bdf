#!/usr/bin/env bash
# A presenter's keys on the title screen: Enter, the keypad's Enter, Page Down
# (a remote's "next") and Space each press "Go", even with the focus moved onto
# "Exit" first, where Space would otherwise press "Exit".
source "$(dirname "$0")/../support/e2e_lib.sh"

for key in Return KP_Enter Next space; do
  echo "$key on the title opens the menu"
  start_program
  title="$(wait_window Demonstrations)"
  press_key "$title" Tab
  press_key "$title" "$key"
  menu="$(wait_window "$MENU" 10)"
  wait_gone Demonstrations
  click "$menu" 859 616
  expect_exit
done
expect_quiet
echo "all passed"
