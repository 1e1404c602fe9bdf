#!/usr/bin/env bash
# Installation into a scratch prefix, then a start as a desktop menu would do it:
# in the entry's working folder, with the entry's command.
source "$(dirname "$0")/../support/e2e_lib.sh"

prefix="$WORK/prefix"
cmake --install "$ORVANTIS_BUILD" --prefix "$prefix" >/dev/null
entry="$prefix/share/applications/orvantis.desktop"
for file in "$prefix/bin/orvantis" "$prefix/share/orvantis/zel.bmp" "$entry" \
    "$prefix/share/icons/hicolor/scalable/apps/orvantis.svg"; do
  [ -f "$file" ] || fail "not installed: $file"
done
command="$(sed -n 's/^Exec=//p' "$entry")"
folder="$(sed -n 's/^Path=//p' "$entry")"
[ "$command" = "$prefix/bin/orvantis" ] || fail "entry runs '$command'"
[ -f "$folder/zel.bmp" ] || fail "entry's folder '$folder' has no title picture"
grep -q '^Icon=orvantis$' "$entry" || fail "entry has no icon"

echo "started from the menu entry, the program shows its picture"
(cd "$folder" && exec $command >"$WORK/stdout" 2>"$WORK/stderr") &
PROGRAM_PID=$!
title="$(wait_window Demonstrations)"
read -r r g b <<<"$(pixel "$title" 124 464)"
[ "$b" -gt 150 ] || fail "installed program shows no title picture: $r $g $b"
click "$title" 73 713
expect_exit
expect_quiet
echo "all passed"
