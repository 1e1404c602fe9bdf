#!/usr/bin/env bash
# Writes the package's changelog.gz in Debian's changelog format: one entry for
# this version whose items are the subjects of the project's commits, newest
# first, merges left out (they only join branches). A copy of the sources
# without its git history (a tarball) gets an entry that says so instead of
# failing the build.
# Usage: make_changelog.sh SOURCE_DIR OUTPUT.gz PACKAGE VERSION "NAME <EMAIL>"
set -euo pipefail
source_dir="$1" output="$2" package="$3" version="$4" maintainer="$5"

# Only the project's own history counts: sources unpacked inside some other
# repository must not list that repository's commits.
own_history() {
  command -v git >/dev/null || return 1
  local top
  top="$(git -C "$source_dir" rev-parse --show-toplevel 2>/dev/null)" || return 1
  [ "$(cd "$top" && pwd -P)" = "$(cd "$source_dir" && pwd -P)" ] &&
    git -C "$source_dir" rev-parse --verify -q HEAD >/dev/null
}

# item TEXT: a "  * " item wrapped within 80 columns, continued under its text.
item() {
  printf '%s\n' "$1" | fold -s -w 74 | sed 's/ *$//; 1s/^/  * /; 2,$s/^/    /'
}

entry="$(mktemp)"
trap 'rm -f "$entry" "$entry.gz"' EXIT
{
  printf '%s (%s) unstable; urgency=medium\n\n' "$package" "$version"
  if own_history; then
    date="$(git -C "$source_dir" log -1 --format=%cD)"
    git -C "$source_dir" log --no-merges --format=%s | while IFS= read -r subject; do
      item "$subject"
    done
  else
    date="$(date -u -R ${SOURCE_DATE_EPOCH:+-d "@$SOURCE_DATE_EPOCH"})"
    item "Release $version. These sources came without their git history, from which the list of changes is made."
  fi
  printf '\n -- %s  %s\n' "$maintainer" "$date"
} >"$entry"

# Rewritten only when the text changed, so that an unchanged history does not
# make the package's files look new.
gzip -9n -c "$entry" >"$entry.gz"
if ! cmp -s "$entry.gz" "$output"; then
  mv "$entry.gz" "$output"
fi
