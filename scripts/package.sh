#!/usr/bin/env bash
# Installs what is missing, builds the release of KITE-MARU for Windows and
# writes dist/kitemaru-<version>-win32.zip: the programs, the sample skins,
# a guide and the licences; then the Linux package,
# dist/kitemaru_<version>_amd64.deb (scripts/lib/build_deb.sh). The same
# commit gives the same bytes in any folder on any machine with the same
# Debian packages; each file's SHA-256 is printed so two builds can be
# compared.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
bash scripts/build-win-deps.sh

# Every date inside the binaries and the zip is the last commit's.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null)}
[ -n "$SOURCE_DATE_EPOCH" ] || { echo "package: not a git checkout; set SOURCE_DATE_EPOCH" >&2; exit 1; }
[ -z "$(git status --porcelain 2>/dev/null)" ] ||
  echo "package: the working tree has changes; this zip is not the last commit's" >&2

build=$root/build/win32-release
cmake --preset win32-release >/dev/null
cmake --build --preset win32-release --target kitemaru kitemaru-skincheck

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name=kitemaru-$version
staging=$root/build/package
folder=$staging/$name
rm -rf "$staging" && mkdir -p "$folder"
cp "$build/bin/kitemaru.exe" "$build/bin/kitemaru-skincheck.exe" "$folder/"
cp -r samples/skin "$folder/skin"

notepad() { python3 scripts/lib/notepad_text.py "$@"; }
notepad --max-columns 79 packaging/README.txt.in "$folder/README.txt" "VERSION=$version"
notepad LICENSE "$folder/LICENSE.txt"

# The licence texts come from the Debian packages that hold what is linked in,
# found from the files themselves, so they follow the installed versions.
owner() { dpkg -S "$(realpath "$1")" | head -n 1 | sed 's/: .*//'; }
package_line() { dpkg-query -W -f='${Package} ${Version}' "$1"; }
section() {
  local title=$1 from=$2 file=$3
  printf '%s\n%s\n%s\n%s\n\n' "$(printf '=%.0s' {1..78})" "$title" "$from" "$(printf '=%.0s' {1..78})"
  cat "$file"
  echo
}
cc=i686-w64-mingw32-gcc-posix
zlib=$(owner /usr/i686-w64-mingw32/lib/libz.a)
crt=$(owner "$($cc -print-file-name=libwinpthread.a)")
libgcc=$(owner "$($cc -print-file-name=libgcc.a)")
libstdcxx=$(owner "$(i686-w64-mingw32-g++-posix -print-file-name=libstdc++.a)")
{
  echo "kitemaru.exe and kitemaru-skincheck.exe are linked statically with the"
  echo "libraries below. Their licence texts follow, as Debian ships them."
  echo
  section "libpng" "Cross-built from Debian's source package libpng1.6: its debian/copyright" \
    build/win32-deps/share/doc/libpng1.6/copyright
  section "zlib" "From the Debian package $(package_line "$zlib")" "/usr/share/doc/$zlib/copyright"
  section "MinGW-w64 runtime and winpthreads" "From the Debian package $(package_line "$crt")" \
    "/usr/share/doc/$crt/copyright"
  section "libstdc++ and libgcc (GCC runtime libraries, GCC Runtime Library Exception)" \
    "From the Debian packages $(package_line "$libstdcxx"), $(package_line "$libgcc")" \
    "/usr/share/doc/$libstdcxx/copyright"
  section "GNU General Public License, version 3 (referred to by the GCC Runtime Library Exception)" \
    "From $(package_line base-files): /usr/share/common-licenses/GPL-3" /usr/share/common-licenses/GPL-3
} > "$staging/THIRD-PARTY"
notepad "$staging/THIRD-PARTY" "$folder/THIRD-PARTY.txt"
rm "$staging/THIRD-PARTY"

mkdir -p dist
zip=dist/$name-win32.zip
python3 scripts/lib/make_zip.py "$staging" "$zip"
echo "zip: $zip"
echo "SHA-256: $(sha256sum "$zip" | cut -d' ' -f1)"

bash scripts/lib/build_deb.sh | tee "$staging/deb.log"
deb=$(sed -n 's/^deb: //p' "$staging/deb.log")
echo "SHA-256: $(sha256sum "$deb" | cut -d' ' -f1)"
