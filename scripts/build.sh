#!/usr/bin/env bash
# Configures and builds the project into build/ (or the folder given).
# Usage: scripts/build.sh [FOLDER] [-DOPTION=VALUE...] [--target TARGET]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
shift || true
options=()
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --target) targets+=(--target "$2"); shift 2 ;;
    *) options+=("$1"); shift ;;
  esac
done
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" >/dev/null
cmake --build "$build" -j2 "${targets[@]}"
