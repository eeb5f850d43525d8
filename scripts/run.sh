#!/usr/bin/env bash
# Installs what is missing, builds KITE-MARU for Windows, stages it with the
# sample skins in build/win32/bin and starts it (under Wine on Linux).
# Without a display it runs in a virtual one and saves a screenshot instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
bash scripts/build-win-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target kitemaru

bin=$root/build/win32/bin
rm -rf "$bin/skin"
cp -r samples/skin "$bin/skin"
# A starter config only once: after that the file is the user's.
[ -f "$bin/config.ini" ] || cp samples/config.ini "$bin/config.ini"

source scripts/lib/wine-env.sh
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  wine_template
  export WINEPREFIX=$WINE_ROOT/run
  [ -d "$WINEPREFIX" ] || cp -a "$WINE_ROOT/template" "$WINEPREFIX"
  echo "Starting KITE-MARU: right-click its window for the menu."
  cd "$bin" && exec wine kitemaru.exe
fi

seconds=${KITEMARU_DEMO_SECONDS:-8}
echo "No display found (DISPLAY is not set or does not answer)."
echo "Running KITE-MARU in a virtual display for $seconds s and saving a screenshot instead;"
echo "run this script from a desktop session to use it for real."
wine_start demo
trap wine_stop EXIT
(cd "$bin" && wine kitemaru.exe) &
sleep "$seconds"
shot=$root/build/demo-screenshot.png
import -window root "$shot"
wine_stop
echo "Screenshot: $shot"
