#!/usr/bin/env bash
# Runs the real kitemaru.exe under Wine with ten drifting sample sprites at
# 60 FPS for a fixed time and prints its CPU time per second of wall time and
# its peak memory. usage: scripts/measure.sh [seconds]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-20}

bash scripts/setup.sh
bash scripts/build-win-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target kitemaru >/dev/null

dir=$(mktemp -d /tmp/kitemaru-measure.XXXXXX)
cp build/win32/bin/kitemaru.exe "$dir/"
cp -r samples/skin "$dir/skin"
{
  printf '[General]\r\nFPS=60\r\n'
  for slot in 0 1 2 3 4 5 6 7 8 9; do
    if [ $((slot % 2)) = 0 ]; then skin=kite; else skin=まる; fi
    printf '[Window%d]\r\nSkinName=%s\r\nMoveMethod=1\r\nMoveRangeLeft=0\r\nMoveRangeTop=0\r\nMoveRangeRight=65535\r\nMoveRangeBottom=65535\r\n' "$slot" "$skin"
  done
} > "$dir/config.ini"

source scripts/lib/wine-env.sh
wine_start measure
trap 'wine_stop; rm -rf "$dir"' EXIT
(cd "$dir" && wine kitemaru.exe) &
pid=
for _ in $(seq 1 100); do
  pid=$(pgrep -f 'kitemaru.exe' | while read -r p; do
    [ "$(readlink "/proc/$p/exe" 2>/dev/null)" != "" ] && grep -q 'kitemaru.exe' "/proc/$p/cmdline" && echo "$p"; done | tail -n 1)
  [ -n "$pid" ] && break
  sleep 0.1
done
[ -n "$pid" ] || { echo "measure: kitemaru.exe did not start" >&2; exit 1; }
sleep 3  # start-up and decoding are not what is measured

ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
before=$(cpu)
start=$(date +%s.%N)
sleep "$seconds"
after=$(cpu)
end=$(date +%s.%N)
peak=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
awk -v c=$((after - before)) -v t="$ticks" -v s="$start" -v e="$end" -v p="$peak" 'BEGIN {
  wall = e - s
  printf "ten drifting sprites at 60 FPS for %.1f s under Wine\n", wall
  printf "CPU time per second of wall time: %.1f ms (%.1f%% of one core)\n", 1000 * c / t / wall, 100 * c / t / wall
  printf "peak memory (VmHWM): %.1f MiB\n", p / 1024
}'
