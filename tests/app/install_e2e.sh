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
[ "$(sed -n 's/^Exec=//p' "$entry")" = "$prefix/bin/orvantis" ] || fail "entry runs another program"

echo "started from the menu entry, the program shows its picture"
start_from_entry "" "$entry"
echo "all passed"
