#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian 12 machine.
# Idempotent: each step checks first, so a second run costs seconds.
set -euo pipefail

need_root() {
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: missing packages; run this once as root:" >&2
    echo "  sudo $0" >&2
    exit 1
  fi
}

PACKAGES=(
  cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
  libpng-dev zlib1g-dev googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 libz-mingw-w64-dev
  wine wine32:i386 xvfb xdotool x11-utils imagemagick icoutils fonts-ipafont-gothic
  qt6-base-dev qt6-qpa-plugins libxcb-shape0-dev openbox xcompmgr trayer python3-tk
  dpkg-dev locales
  debhelper lintian desktop-file-utils appstream
)

# install_missing PACKAGE...: installs those of the packages not yet installed.
install_missing() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  need_root
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

install_missing "${PACKAGES[@]}"

# A machine that cannot run 32-bit programs runs the Windows tests on the
# x86-64 build under 64-bit Wine (scripts/lib/wine-env.sh).
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  install_missing wine64 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
fi

# Debian's source of libpng, for the Windows cross-build.
if ! grep -rqs 'deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/ || grep -qs security /etc/apt/sources.list.d/kitemaru-src.sources; then
  need_root
  src=/etc/apt/sources.list.d/kitemaru-src.sources
  # Only bookworm main: the security archive keeps no sources of older builds.
  awk 'BEGIN{RS=""; ORS="\n\n"} /Types: deb/ && !/security/ {sub(/Types: deb/, "Types: deb-src"); print; exit}' \
    /etc/apt/sources.list.d/debian.sources > "$src"
  apt-get update -qq
fi

# Japanese Windows under Wine (CP932 files in the end-to-end tests): Wine
# takes its code page from the locale, which must exist.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
  need_root
  localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
