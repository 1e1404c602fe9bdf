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

echo "man finds the manual page in the prefix, and the notes it points to are there"
found="$(MANPATH="$prefix/share/man" man -w orvantis)" || fail "man does not find orvantis"
[ "$found" = "$prefix/share/man/man6/orvantis.6.gz" ] || fail "man finds $found"
MANPATH="$prefix/share/man" man orvantis 2>&1 | grep -q "README.md.gz" || fail "man does not show the page"
[ -f "$prefix/share/doc/orvantis/README.md.gz" ] || fail "the teaching notes are not installed"

echo "started from the menu entry, the program shows its picture"
start_from_entry "" "$entry"
echo "all passed"
