#!/usr/bin/env bash
# Installs what is missing, builds KITE-MARU, stages it with the sample skins
# and starts it: on Linux the native program (build/linux/bin), with
# --windows the Windows build under Wine (build/win32/bin).
# Without a display it runs in a virtual one and saves a screenshot instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

windows=0
[ "${1:-}" = "--windows" ] && windows=1

bash scripts/setup.sh
if [ $windows = 1 ]; then
  bash scripts/build-win-deps.sh
  cmake --preset win32 >/dev/null
  cmake --build --preset win32 --target kitemaru
  bin=$root/build/win32/bin
  program=(wine kitemaru.exe)
else
  cmake --preset linux >/dev/null
  cmake --build --preset linux --target kitemaru
  bin=$root/build/linux/bin
  program=(./kitemaru)
fi

rm -rf "$bin/skin"
cp -r samples/skin "$bin/skin"
# A starter config only once: after that the file is the user's.
[ -f "$bin/config.ini" ] || cp samples/config.ini "$bin/config.ini"

source scripts/lib/wine-env.sh
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  if [ $windows = 1 ]; then
    wine_template
    export WINEPREFIX=$WINE_ROOT/run
    [ -d "$WINEPREFIX" ] || cp -a "$WINE_ROOT/template" "$WINEPREFIX"
  fi
  echo "Starting KITE-MARU: right-click its window for the menu."
  cd "$bin" && exec "${program[@]}"
fi

seconds=${KITEMARU_DEMO_SECONDS:-8}
echo "No display found (DISPLAY is not set or does not answer)."
echo "Running KITE-MARU in a virtual display for $seconds s and saving a screenshot instead;"
echo "run this script from a desktop session to use it for real."
if [ $windows = 1 ]; then
  wine_start demo
else
  xvfb_start
fi
trap wine_stop EXIT
(cd "$bin" && exec "${program[@]}") &
sleep "$seconds"
shot=$root/build/demo-screenshot.png
import -window root "$shot"
if [ $windows = 0 ]; then
  # Ends as a desktop session would end it, saving its settings.
  kill -TERM $! 2>/dev/null || true
  wait $! || true
fi
wine_stop
echo "Screenshot: $shot"
