#!/usr/bin/env bash
# Cross-builds Debian's libpng source package as a static library for the
# 32-bit Windows build, into build/win32-deps (cached: skipped when present),
# with the source package's copyright file for the release's licence texts.
# usage: build-win-deps.sh [i686|x86_64]   (x86_64: build/win64-deps, for the
# Windows tests on machines that cannot run 32-bit programs)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=${1:-i686}
case $arch in
  i686) prefix=$root/build/win32-deps ;;
  x86_64) prefix=$root/build/win64-deps ;;
  *) echo "build-win-deps: unknown architecture $arch" >&2; exit 1 ;;
esac
copyright=$prefix/share/doc/libpng1.6/copyright
[ -f "$prefix/lib/libpng16.a" ] && [ -f "$copyright" ] && exit 0

work=$prefix-src
rm -rf "$work" && mkdir -p "$work"
cd "$work"
apt-get source --download-only libpng1.6 >/dev/null 2>&1 || {
  echo "build-win-deps: could not download libpng1.6's source; is a deb-src entry configured (scripts/setup.sh)?" >&2
  exit 1
}
dpkg-source -x --no-check ./libpng1.6_*.dsc src >/dev/null
cmake -S src -B build -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DCMAKE_C_FLAGS="-ffile-prefix-map=$work/=" \
  -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
  -DZLIB_LIBRARY=/usr/$arch-w64-mingw32/lib/libz.a -DZLIB_INCLUDE_DIR=/usr/$arch-w64-mingw32/include \
  -DSKIP_INSTALL_PROGRAMS=ON -DSKIP_INSTALL_EXECUTABLES=ON >/dev/null
cmake --build build >/dev/null
cmake --install build >/dev/null
mkdir -p "$(dirname "$copyright")"
{
  echo "Debian source package $(dpkg-parsechangelog -l src/debian/changelog -S Source)" \
    "$(dpkg-parsechangelog -l src/debian/changelog -S Version)"
  echo
  cat src/debian/copyright
} > "$copyright"
rm -rf "$work"
