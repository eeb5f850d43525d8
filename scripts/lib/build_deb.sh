#!/usr/bin/env bash
# Builds dist/kitemaru_<version>_<arch>.deb the Debian way (debhelper,
# dpkg-buildpackage -b) from the files git knows in this checkout, copied to
# build/deb first so that nothing of a local build gets in. Every date inside
# is the last commit's, so the same commit gives the same bytes in any
# folder. Prints lintian's findings (it fails on an error or a warning) and
# "deb: <path>" last.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
export LC_ALL=C.UTF-8
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null)}
[ -n "$SOURCE_DATE_EPOCH" ] || { echo "build_deb: not a git checkout; set SOURCE_DATE_EPOCH" >&2; exit 1; }

version=$(sed -n 's/^project(kitemaru VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
changelog=$(dpkg-parsechangelog -S Version)
if [ "$version" != "$changelog" ]; then
  echo "build_deb: CMakeLists.txt says version $version, debian/changelog $changelog" >&2
  exit 1
fi

work=$root/build/deb
source=$work/kitemaru-$version
rm -rf "$work" && mkdir -p "$source"
# Tracked and new files as they are now; a deleted one is left out.
git ls-files -z --cached --others --exclude-standard |
  tar --null -T - --ignore-failed-read -cf - 2>/dev/null | tar -xf - -C "$source"
# Files keep the time they were checked out at; the package keeps none of it.
find "$source" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
if ! (cd "$source" && dpkg-buildpackage -b -us -uc) > "$work/build.log" 2>&1; then
  tail -n 40 "$work/build.log" >&2
  echo "build_deb: dpkg-buildpackage failed; the whole log is $work/build.log" >&2
  exit 1
fi

deb=kitemaru_${version}_$(dpkg-architecture -qDEB_HOST_ARCH).deb
mkdir -p dist
cp "$work/$deb" dist/
echo "lintian:"
lintian --fail-on error,warning --display-info "dist/$deb"
echo "deb: dist/$deb"
