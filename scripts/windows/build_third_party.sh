#!/usr/bin/env bash
# Cross-builds the static Windows libraries the program links (FLTK, freeglut,
# FreeType) from their upstream tarballs into a prefix, only what the program
# needs: no demos, tests, fluid or documentation, FreeType without optional
# libraries. The caller checks the tarballs and decides where the prefix lives.
# Usage: scripts/windows/build_third_party.sh TARBALL_FOLDER PREFIX WORK_FOLDER
set -euo pipefail
tarballs="$1"
prefix="$2"
work="$3"
here="$(cd "$(dirname "$0")" && pwd)"
toolchain="$here/toolchain-mingw64.cmake"

mkdir -p "$work" "$prefix"
common=(
  -G "Unix Makefiles"
  -DCMAKE_TOOLCHAIN_FILE="$toolchain"
  -DCMAKE_BUILD_TYPE=Release
  -DCMAKE_INSTALL_PREFIX="$prefix"
  -DCMAKE_FIND_ROOT_PATH="$prefix"
  -DBUILD_SHARED_LIBS=OFF
)

# Unpacks a tarball into the work folder and configures, builds and installs it.
build() {
  local tarball="$1" folder="$2"
  shift 2
  echo "-- $folder"
  tar -xf "$tarballs/$tarball" -C "$work"
  cmake -S "$work/$folder" -B "$work/$folder-build" "${common[@]}" "$@" >"$work/$folder.log" 2>&1 ||
    { tail -30 "$work/$folder.log"; exit 1; }
  cmake --build "$work/$folder-build" -j2 >>"$work/$folder.log" 2>&1 ||
    { tail -30 "$work/$folder.log"; exit 1; }
  cmake --install "$work/$folder-build" >>"$work/$folder.log" 2>&1 ||
    { tail -30 "$work/$folder.log"; exit 1; }
}

build freetype-2.12.1.tar.xz freetype-2.12.1 \
  -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
  -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON

build freeglut-3.4.0.tar.gz freeglut-3.4.0 \
  -DFREEGLUT_BUILD_SHARED_LIBS=OFF -DFREEGLUT_BUILD_STATIC_LIBS=ON \
  -DFREEGLUT_BUILD_DEMOS=OFF -DFREEGLUT_GLES=OFF -DFREEGLUT_REPLACE_GLUT=OFF \
  -DFREEGLUT_PRINT_WARNINGS=OFF

# The bundled image libraries, not the host's: Fl_BMP_Image lives in
# fltk_images, which brings them along.
build fltk-1.3.8-source.tar.gz fltk-1.3.8 \
  -DFLTK_BUILD_TEST=OFF -DFLTK_BUILD_EXAMPLES=OFF \
  -DOPTION_BUILD_HTML_DOCUMENTATION=OFF -DOPTION_BUILD_PDF_DOCUMENTATION=OFF \
  -DOPTION_USE_SYSTEM_ZLIB=OFF -DOPTION_USE_SYSTEM_LIBJPEG=OFF -DOPTION_USE_SYSTEM_LIBPNG=OFF \
  -DOPTION_USE_GL=ON -DOPTION_USE_THREADS=OFF -DOPTION_BUILD_SHARED_LIBS=OFF

# Their licences travel with the program.
mkdir -p "$prefix/licences"
cp "$work/fltk-1.3.8/COPYING" "$prefix/licences/FLTK.txt"
cp "$work/freeglut-3.4.0/COPYING" "$prefix/licences/freeglut.txt"
cat "$work/freetype-2.12.1/LICENSE.TXT" "$work/freetype-2.12.1/docs/FTL.TXT" >"$prefix/licences/FreeType.txt"
