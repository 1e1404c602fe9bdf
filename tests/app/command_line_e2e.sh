#!/usr/bin/env bash
# The command line as GNU programs answer it: --help and --version on standard
# output with status 0, without a display; a wrong option gets the usage on
# standard error and status 2, and no window.
source "$(dirname "$0")/../support/e2e_lib.sh"

# run_bare ARGS...: the program without a display; sets status, out and err.
run_bare() {
  status=0
  env -u DISPLAY "$ORVANTIS" "$@" >"$WORK/out" 2>"$WORK/err" || status=$?
  out="$(cat "$WORK/out")" err="$(cat "$WORK/err")"
}

echo "--help: the usage and every option on standard output, status 0"
run_bare --help
[ "$status" -eq 0 ] || fail "--help ends with status $status: $err"
[ -z "$err" ] || fail "--help writes to standard error: $err"
[[ "$(head -n 1 <<<"$out")" == "Usage: "*orvantis" [OPTION]..." ]] || fail "no usage line: $out"
for option in --no-frame-limit --check-graphics --help --version; do
  grep -qE "^ +$option " <<<"$out" || fail "--help does not list $option"
done

echo "--version: the project's version on the first line, status 0"
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$ORVANTIS_BUILD/CMakeCache.txt")"
[ -n "$version" ] || fail "no project version in the build's cache"
run_bare --version
[ "$status" -eq 0 ] || fail "--version ends with status $status: $err"
[ -z "$err" ] || fail "--version writes to standard error: $err"
[ "$(head -n 1 <<<"$out")" = "orvantis (Quantum Orvantis) $version" ] || fail "first line: $out"
grep -q "^Copyright (C) " <<<"$out" || fail "--version names no copyright"

echo "a wrong option, also after a right one: usage on standard error, status 2"
for args in "--bogus" "--no-frame-limit -h"; do
  # shellcheck disable=SC2086
  run_bare $args
  [ "$status" -eq 2 ] || fail "'$args' ends with status $status"
  [ -z "$out" ] || fail "'$args' writes to standard output: $out"
  grep -q "unrecognized option '${args##* }'" <<<"$err" || fail "'$args' does not name the option: $err"
  grep -q "^Usage: " <<<"$err" || fail "'$args' shows no usage: $err"
done

echo "a help that cannot be written is a failure"
status=0
"$ORVANTIS" --help >/dev/full 2>/dev/null || status=$?
[ "$status" -ne 0 ] || fail "--help into a full disk ends with status 0"
echo "all passed"
