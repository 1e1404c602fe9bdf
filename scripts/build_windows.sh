#!/usr/bin/env bash
# Cross-builds the Windows program on this Linux machine: an installer
# (Orvantis-VERSION-setup.exe) and a portable zip in build-windows/. FLTK,
# freeglut and FreeType are built from their upstream tarballs once and kept in
# a cache outside the clone, keyed by the tarballs' checksums and the recipe, so
# later runs (and fresh clones on the same machine) only build the program.
# Usage: scripts/build_windows.sh [--third-party FOLDER]
#   FOLDER (or ORVANTIS_THIRD_PARTY) holds the tarballs; ../shared/third_party
#   from the project root by default. ORVANTIS_CACHE moves the cache.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
third_party="${ORVANTIS_THIRD_PARTY:-$root/../shared/third_party}"
while [ $# -gt 0 ]; do
  case "$1" in
    --third-party) third_party="$2"; shift 2 ;;
    *) echo "usage: $0 [--third-party FOLDER]" >&2; exit 2 ;;
  esac
done
out="$root/build-windows"
here="$root/scripts/windows"

"$root/scripts/install_deps.sh" mingw-w64 nsis zip librsvg2-bin

# The tarballs, their checksums and where to get them.
tarballs=(
  "fltk-1.3.8-source.tar.gz e30db0c7670ca4852d33cb5ee6690f7e975aaab4c1b6a03e2222eec7155efb13 https://www.fltk.org/"
  "freeglut-3.4.0.tar.gz 3c0bcb915d9b180a97edaebd011b7a1de54583a838644dcd42bb0ea0c6f3eaec https://freeglut.sourceforge.net/"
  "freetype-2.12.1.tar.xz 7dedb6b9adf331559daea614a83b8de42a753e685ec8e1c4bdb4529eb880b0d1 https://freetype.org/"
)
for entry in "${tarballs[@]}"; do
  read -r file sum site <<<"$entry"
  if [ ! -f "$third_party/$file" ]; then
    echo "Missing $third_party/$file: download it from $site (or give its folder with --third-party)." >&2
    exit 1
  fi
  if [ "$(sha256sum "$third_party/$file" | cut -d' ' -f1)" != "$sum" ]; then
    echo "$third_party/$file is not the expected release (sha256 should be $sum)." >&2
    exit 1
  fi
done

# The cache key: the tarballs, how they are built and by which compiler.
key="$({
  printf '%s\n' "${tarballs[@]}"
  cat "$here/build_third_party.sh" "$here/toolchain-mingw64.cmake"
  x86_64-w64-mingw32-g++-posix --version | head -1
} | sha256sum | cut -c1-16)"
cache="${ORVANTIS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/orvantis}/windows"
prefix="$cache/$key"
mkdir -p "$cache"
start=$SECONDS
# One build at a time per cache; a finished prefix appears in one rename, so
# an interrupted build leaves nothing that looks complete.
(
  flock 9
  if [ ! -d "$prefix" ]; then
    echo "== Building FLTK, freeglut and FreeType for Windows (once, into $prefix)"
    work="$(mktemp -d "$cache/work.XXXXXX")"
    trap 'rm -rf "$work"' EXIT
    "$here/build_third_party.sh" "$third_party" "$work/prefix" "$work"
    mv "$work/prefix" "$prefix"
  fi
) 9>"$cache/lock"
third_party_seconds=$((SECONDS - start))

echo "== Building the program for Windows"
start=$SECONDS
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$root" -B "$out/build" -DCMAKE_TOOLCHAIN_FILE="$here/toolchain-mingw64.cmake" \
  -DCMAKE_FIND_ROOT_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release \
  -DORVANTIS_TESTS=OFF -DORVANTIS_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$out/build" -j2 --target orvantis title_bitmap
program_seconds=$((SECONDS - start))

# What the installer and the zip hold: the program, its picture, the scene
# text's faces and every licence, its own included.
version="$(sed -n 's/^project(QuantumOrvantis VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
stage="$out/stage/Orvantis-$version"
rm -rf "$out/stage"
mkdir -p "$stage/licences"
x86_64-w64-mingw32-strip -o "$stage/orvantis.exe" "$out/build/orvantis.exe"
cp "$out/build/zel.bmp" "$out/build/LiberationSans-Regular.ttf" \
  "$out/build/LiberationSerif-Regular.ttf" "$stage/"
cp "$prefix"/licences/*.txt "$stage/licences/"
cp /usr/share/doc/fonts-liberation2/copyright "$stage/licences/Liberation fonts.txt"
cp "$root/assets/copyright" "$stage/licences/Quantum Orvantis.txt"

installer="$out/Orvantis-$version-setup.exe"
zip="$out/Orvantis-$version-portable.zip"
rm -f "$installer" "$zip"
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DICON="$out/build/orvantis.ico" \
  -DOUTFILE="$installer" "$here/installer.nsi"
(cd "$out/stage" && zip -q -r -9 "$zip" "Orvantis-$version")

echo "== Made in ${third_party_seconds} s (libraries) + ${program_seconds} s (program):"
ls -l "$installer" "$zip" | awk '{ printf "   %s  %d KB\n", $NF, $5 / 1024 }'
