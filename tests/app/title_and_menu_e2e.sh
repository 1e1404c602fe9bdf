#!/usr/bin/env bash
# The title screen and the menu, driven as a user would.
source "$(dirname "$0")/../support/e2e_lib.sh"

echo "title -> Go -> menu -> Exit"
start_program
title="$(wait_window Demonstrations)"
click "$title" 344 373
menu="$(wait_window "Main menu")"
wait_gone Demonstrations
click "$menu" 859 616
expect_exit
expect_quiet

echo "title -> Exit, no menu ever built"
start_program
title="$(wait_window Demonstrations)"
[ -z "$(xdotool search --name '^Main menu$' 2>/dev/null)" ] || fail "menu built before Go"
click "$title" 73 713
expect_exit
expect_quiet

echo "Escape on the title window does nothing; Go still leads on"
start_program
title="$(wait_window Demonstrations)"
press_key "$title" Escape
press_key "$title" Escape
expect_alive
[ -n "$(find_window Demonstrations)" ] || fail "title window gone after Escape"

echo "Escape on the menu leaves the program running; Exit still ends it"
click "$title" 344 373
menu="$(wait_window "Main menu")"
press_key "$menu" Escape
press_key "$menu" Escape
expect_alive
[ -n "$(find_window "Main menu")" ] || fail "menu gone after Escape"
# A demonstration's Escape is its Return, and the one after it changes nothing.
bell="$(open_demo "$menu" "$BELL")"
press_key "$bell" Escape
wait_gone "$BELL"
press_key "$menu" Escape
expect_alive
click "$menu" 859 616
expect_exit
expect_quiet

echo "picture shown with zel.bmp, empty and silent without"
start_program
title="$(wait_window Demonstrations)"
# The picture's crystal lies 50 pixels left of its centre (174, 464).
read -r r g b <<<"$(pixel "$title" 124 464)"
[ "$b" -gt 150 ] || fail "title picture missing: $r $g $b"
click "$title" 73 713
expect_exit
rm -f "$WORK/zel.bmp"
start_program --no-bitmap
title="$(wait_window Demonstrations)"
read -r r g b <<<"$(pixel "$title" 124 464)"
[ "$r $g $b" = "0 0 0" ] || fail "picture area not black without zel.bmp: $r $g $b"
read -r r g b <<<"$(region_max "$title" 20 40 400 70)"
[ "$g" -gt 200 ] || fail "caption missing without zel.bmp: $r $g $b"
click "$title" 73 713
expect_exit
expect_quiet
echo "all passed"
