#!/usr/bin/env bash
# Thousands of random clicks, drags, key presses and typed text, at random moments
# and on whatever windows are shown, including every control of the three
# demonstrations in every order. The program must never crash or hang; leaving by
# the menu's Exit (a click on it) is a clean end, after which the
# program is started again. The seed is fixed, so a failure can be replayed.
source "$(dirname "$0")/../support/e2e_lib.sh"

RANDOM=20261208
duration="${MONKEY_SECONDS:-80}"

# Control points per window, with room for a little jitter.
declare -A POINTS=(
  [$MENU]="122 160|592 160|122 460|270 160|740 160|270 460|300 300|600 600"
  [$BELL]="806 193|953 179|821 263|850 309|953 235|953 269|953 303|929 50|500 500|80 650|300 100|700 700"
  [$TELEPORT]="587 717|732 715|953 717|500 400|80 600|360 713|300 300|80 717|463 717"
  [$BB84]="951 465|900 515|951 515|1000 515|951 580|949 640|951 712|80 650|400 300|600 500|45 751|951 681"
)
KEYS=(Escape Return Tab space BackSpace ctrl+a Up Down Left Right 0 5 9 minus period e
      s b c p o l m r 1 2 3 Next Prior F5 KP_Enter)
TEXTS=(1000 0 999999 12 -5 abc 3.7 1e9 99999999 "" 42 7)

pick() { local -n list=$1; echo "${list[$((RANDOM % ${#list[@]}))]}"; }

# One action on window $1 (title $2), appended to the xdotool argument list.
add_action() {
  local id="$1" title="$2" kind=$((RANDOM % 100)) point x y
  IFS='|' read -r -a points <<<"${POINTS[$title]}"
  point="${points[$((RANDOM % ${#points[@]}))]}"
  x=$(( ${point% *} + RANDOM % 7 - 3 )) y=$(( ${point#* } + RANDOM % 7 - 3 ))
  if [ $kind -lt 45 ]; then
    args+=(mousemove --window "$id" "$x" "$y" click 1)
  elif [ $kind -lt 58 ]; then
    args+=(mousemove --window "$id" $((RANDOM % 1024)) $((RANDOM % 768)) click 1)
  elif [ $kind -lt 68 ]; then
    args+=(mousemove --window "$id" "$x" "$y" mousedown 1
           mousemove --window "$id" $((x + RANDOM % 240 - 120)) $((y + RANDOM % 40 - 20)) mouseup 1)
  elif [ $kind -lt 80 ]; then
    args+=(key --delay 2 "$(pick KEYS)")
  elif [ $kind -lt 90 ]; then
    local text
    text="$(pick TEXTS)"
    if [ -n "$text" ]; then
      args+=(type --delay 2 "$text")
    fi
  else
    args+=(mousemove --window "$id" $((RANDOM % 1024)) $((RANDOM % 768)))
  fi
}

actions=0
restarts=0
# A click on Save opens the file dialog, which holds the program until answered:
# whatever the monkey types there is saved under this scratch home.
export HOME="$WORK"
to_menu
end=$((SECONDS + duration))
while [ $SECONDS -lt $end ]; do
  # The windows shown now; a demonstration window is the usual target.
  demo_title="" demo_id=""
  for title in "$BELL" "$TELEPORT" "$BB84"; do
    id="$(find_window "$title")"
    if [ -n "$id" ]; then
      demo_title="$title" demo_id="$id"
    fi
  done
  menu_id="$(find_window "$MENU")"
  args=()
  for _ in $(seq 1 50); do
    if [ -n "$demo_id" ] && [ $((RANDOM % 10)) -lt 8 ]; then
      add_action "$demo_id" "$demo_title"
    elif [ -n "$menu_id" ]; then
      add_action "$menu_id" "$MENU"
    fi
    actions=$((actions + 1))
  done
  if [ ${#args[@]} -gt 0 ]; then
    timeout 20 xdotool "${args[@]}" >/dev/null 2>&1 || true
    # xdotool ends early when a window it names has closed (or at the timeout),
    # possibly between a drag's mousedown and mouseup, or a key's press and
    # release. A real mouse always lets go: so do we, or the server drops the
    # next click's press as a repeat and the final "Exit" never fires.
    xdotool mouseup 1 keyup ctrl >/dev/null 2>&1 || true
  fi

  # A Save dialog that the actions opened is answered as a user would: Escape
  # cancels it, and the program takes events again.
  for dialog in $({ xdotool search --onlyvisible --name '^Save results$' 2>/dev/null || true; }); do
    xdotool windowfocus --sync "$dialog" key Escape >/dev/null 2>&1 || true
    sleep "$CLICK_PAUSE"
  done
  # Still running, or ended cleanly by an Exit; a crash ends with another status.
  if ! kill -0 "$PROGRAM_PID" 2>/dev/null; then
    expect_exit
    expect_quiet
    restarts=$((restarts + 1))
    to_menu
    continue
  fi
  # Some window of the program is shown (the menu's Exit may have left only a
  # demonstration window). The query fails when a window it looks at closes
  # meanwhile (a tooltip, say), and is slow on a loaded machine: only none shown
  # twice, a second apart, means the program has been left.
  shown=""
  for _ in 1 2; do
    shown="$(timeout 10 xdotool search --onlyvisible --name "^($MENU|$BELL|$TELEPORT|$BB84)\$" \
      2>/dev/null)" || shown=""
    [ -n "$shown" ] && break
    sleep 1
  done
  if [ -z "$shown" ]; then
    expect_exit_within 1000
    expect_quiet
    restarts=$((restarts + 1))
    to_menu
  fi
done

echo "sent $actions actions; the program was left by Exit and started again $restarts times"
# Closing every window must still end the program with status 0; closing works
# while Stop holds a run, as its hold keeps the events flowing. Fast clicks may
# have opened two demonstrations over each other: close them until none is left.
for _ in $(seq 1 20); do
  open_demos=0
  for title in "$BELL" "$TELEPORT" "$BB84"; do
    id="$(find_window "$title")"
    if [ -n "$id" ]; then
      open_demos=$((open_demos + 1))
      # Escape sent to the window itself reaches it even when it lies under another.
      xdotool key --window "$id" Escape 2>/dev/null || true
      sleep "$CLICK_PAUSE"
    fi
  done
  [ "$open_demos" -eq 0 ] && break
  sleep 0.5
done
for title in "$BELL" "$TELEPORT" "$BB84"; do
  wait_gone "$title"
done
menu_id="$(find_window "$MENU")"
if [ -n "$menu_id" ]; then
  expect_alive
  # F5 may have left the menu full screen, its design scaled up.
  click_design "$menu_id" 859 616
fi
expect_exit 5
expect_quiet
echo "all passed"
