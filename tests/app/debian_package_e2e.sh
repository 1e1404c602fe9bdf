#!/usr/bin/env bash
# The Debian package made by `cpack -G DEB`: exactly the program's files under
# /usr, a Depends line that names the package of every library the program
# loads and no build package, no complaint from Debian's own checks (lintian,
# the menu entry's and the software-centre data's validators), a manual page
# that tells every option, and a program that starts from its menu entry when
# unpacked into a scratch root.
source "$(dirname "$0")/../support/e2e_lib.sh"

cpack -G DEB -B "$WORK/package" --config "$ORVANTIS_BUILD/CPackConfig.cmake" >"$WORK/cpack.log" 2>&1 ||
  { cat "$WORK/cpack.log" >&2; fail "cpack could not make the package"; }
deb="$(ls "$WORK"/package/orvantis_*.deb)"
echo "made $(basename "$deb"), $(stat -c %s "$deb") bytes"

echo "the files, and nothing else"
metainfo=usr/share/metainfo/org.orvantis.quantum_orvantis.metainfo.xml
manual=usr/share/man/man6/orvantis.6.gz
expected="$(printf '%s\n' usr/bin/orvantis usr/share/applications/orvantis.desktop \
  usr/share/doc/orvantis/README.md.gz usr/share/doc/orvantis/changelog.gz \
  usr/share/doc/orvantis/copyright usr/share/icons/hicolor/scalable/apps/orvantis.svg \
  $manual $metainfo usr/share/orvantis/zel.bmp)"
files="$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | sort)"
[ "$files" = "$expected" ] || fail "package holds:"$'\n'"$files"

echo "Depends names every loaded library's package and no build package"
depends="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $depends"
names=" $(echo "$depends" | sed 's/([^)]*)//g; s/[,|]/ /g' | tr -s ' ') "
dpkg-deb -x "$deb" "$WORK/root"
multiarch="$(gcc -print-multiarch)"
libraries="$(readelf -d "$WORK/root/usr/bin/orvantis" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p')"
patterns=()
for library in $libraries; do patterns+=("*/$multiarch/$library"); done
# One look-up for all: "package:arch: path" per file found.
owners="$(dpkg -S "${patterns[@]}" 2>/dev/null || true)"
for library in $libraries; do
  owner="$(echo "$owners" | grep "/$library\$" | head -n 1 | cut -d: -f1)"
  [ -n "$owner" ] || fail "no package holds $library"
  [[ "$names" == *" $owner "* ]] || fail "$library comes from $owner, which Depends does not name"
done
[[ "$names" == *" fonts-liberation2 "* ]] || fail "Depends does not name the fonts"
for name in $names; do
  case "$name" in
    *-dev | build-essential | cmake | xvfb | xdotool | imagemagick) fail "Depends names $name" ;;
  esac
done

echo "software-centre data: valid, of this version, for this menu entry"
version="$(dpkg-deb -f "$deb" Version)"
grep -q "<release version=\"$version\"" "$WORK/root/$metainfo" || fail "metainfo has no release $version"
grep -q '<launchable type="desktop-id">orvantis.desktop</launchable>' "$WORK/root/$metainfo" ||
  fail "metainfo does not launch the menu entry"

echo "Debian's checks: no lintian tag up to informational, no validator's note"
for tool in lintian appstreamcli desktop-file-validate man; do
  command -v $tool >/dev/null || fail "$tool is missing: scripts/install_deps.sh installs it with the package checks"
done
# Shown in full (pedantic tags included), failed on anything but pedantic.
lintian --info --pedantic --fail-on error,warning,info "$deb" >"$WORK/lintian.log" 2>&1 ||
  { cat "$WORK/lintian.log" >&2; fail "lintian complains"; }
# The validators pass with hints and pedantic notes too; any note is a fault here.
appstreamcli validate-tree --pedantic --no-net "$WORK/root" >"$WORK/validate.log" 2>&1 ||
  { cat "$WORK/validate.log" >&2; fail "software-centre data not valid"; }
if grep -E '^[EWIP]:' "$WORK/validate.log"; then fail "appstreamcli has notes"; fi
notes="$(desktop-file-validate "$WORK/root/usr/share/applications/orvantis.desktop" 2>&1)" ||
  fail "menu entry not valid: $notes"
[ -z "$notes" ] || fail "desktop-file-validate has notes: $notes"

echo "the manual page: this version, every option of --help"
page="$(MANWIDTH=80 man -l "$WORK/root/$manual" 2>"$WORK/man.log")" || fail "man cannot show the page"
[ ! -s "$WORK/man.log" ] || { cat "$WORK/man.log" >&2; fail "man warns"; }
[[ "$(head -n 1 <<<"$page")" == "ORVANTIS(6)"* ]] || fail "page is not orvantis(6)"
grep -q "Quantum Orvantis $version" <<<"$page" || fail "page is not of version $version"
options="$("$ORVANTIS" --help | grep -oE '^ +--[a-z-]+' | tr -d ' ')"
[ -n "$options" ] || fail "--help lists no option"
for option in $options; do
  grep -qE "^ +$option\b" <<<"$page" || fail "the manual page does not explain $option"
done

echo "unpacked into a scratch root, the program starts from its menu entry"
entry="$WORK/root/usr/share/applications/orvantis.desktop"
[ "$(sed -n 's/^Exec=//p' "$entry")" = /usr/bin/orvantis ] || fail "entry runs another program"
start_from_entry "$WORK/root" "$entry"
echo "all passed"
