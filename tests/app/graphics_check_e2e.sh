#!/usr/bin/env bash
# `orvantis --check-graphics` on the test display: it names the driver, passes
# every view and ends with status 0; on a display without
# OpenGL it ends with a failure instead of reporting success.
source "$(dirname "$0")/../support/e2e_lib.sh"

cp "$ORVANTIS_ASSETS/zel.bmp" "$WORK/"
status=0
(cd "$WORK" && timeout 120 "$ORVANTIS" --check-graphics >"$WORK/check" 2>"$WORK/stderr") || status=$?
cat "$WORK/check"
[ "$status" -eq 0 ] || fail "--check-graphics ended with status $status"
grep -q '^OpenGL vendor: .*[^ ]' "$WORK/check" || fail "no vendor named"
grep -q '^OpenGL renderer: .*[^ ]' "$WORK/check" || fail "no renderer named"
grep -q '^OpenGL version: .*[0-9]' "$WORK/check" || fail "no version named"
for view in title "menu: Bell" "menu: teleportation" "menu: BB84" Bell teleportation BB84 \
  "BB84: sender's table" "BB84: receiver's table"; do
  grep -q "^  $view  .* ok\$" "$WORK/check" || fail "view '$view' not reported as passed"
done

echo "a display without OpenGL: a failure, not a pass"
stop_display
start_display -extension GLX
status=0
(cd "$WORK" && timeout 120 "$ORVANTIS" --check-graphics >"$WORK/check" 2>"$WORK/stderr") || status=$?
[ "$status" -ne 0 ] || fail "--check-graphics passed without OpenGL: $(cat "$WORK/check")"
echo "all passed"
