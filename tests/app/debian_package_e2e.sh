#!/usr/bin/env bash
# The Debian package made by `cpack -G DEB`: exactly the program's files under
# /usr, a Depends line that names the package of every library the program
# loads and no build package, valid software-centre data, and a program that
# starts from its menu entry when unpacked into a scratch root.
source "$(dirname "$0")/../support/e2e_lib.sh"

cpack -G DEB -B "$WORK/package" --config "$ORVANTIS_BUILD/CPackConfig.cmake" >"$WORK/cpack.log" 2>&1 ||
  { cat "$WORK/cpack.log" >&2; fail "cpack could not make the package"; }
deb="$(ls "$WORK"/package/orvantis_*.deb)"
echo "made $(basename "$deb"), $(stat -c %s "$deb") bytes"

echo "the files, and nothing else"
metainfo=usr/share/metainfo/org.orvantis.QuantumOrvantis.metainfo.xml
expected="$(printf '%s\n' usr/bin/orvantis usr/share/applications/orvantis.desktop \
  usr/share/icons/hicolor/scalable/apps/orvantis.svg $metainfo usr/share/orvantis/zel.bmp)"
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
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$WORK/root/$metainfo" >"$WORK/validate.log" 2>&1 ||
    { cat "$WORK/validate.log" >&2; fail "metainfo not valid"; }
else
  echo "appstreamcli not installed: metainfo not validated"
fi

echo "unpacked into a scratch root, the program starts from its menu entry"
entry="$WORK/root/usr/share/applications/orvantis.desktop"
[ "$(sed -n 's/^Exec=//p' "$entry")" = /usr/bin/orvantis ] || fail "entry runs another program"
start_from_entry "$WORK/root" "$entry"
echo "all passed"
