#!/usr/bin/env bash
# Runs both builds, one after the other in the same Xvfb, with ten drifting
# sample sprites at 60 FPS for a fixed time each, and prints for each the CPU
# time per second of wall time of the program plus the X server (plus
# wineserver for the Windows build) and the program's peak memory.
# usage: scripts/measure.sh [seconds]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-20}

bash scripts/setup.sh
bash scripts/build-win-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target kitemaru >/dev/null
cmake --preset linux >/dev/null
cmake --build --preset linux --target kitemaru >/dev/null

# folder PROGRAM: a program folder with the sample skins and ten drifting sprites.
folder() {
  local dir
  dir=$(mktemp -d /tmp/kitemaru-measure.XXXXXX)
  cp "$1" "$dir/"
  cp -r samples/skin "$dir/skin"
  {
    printf '[General]\r\nFPS=60\r\n'
    for slot in 0 1 2 3 4 5 6 7 8 9; do
      if [ $((slot % 2)) = 0 ]; then skin=kite; else skin=まる; fi
      printf '[Window%d]\r\nSkinName=%s\r\nMoveMethod=1\r\nMoveRangeLeft=0\r\nMoveRangeTop=0\r\nMoveRangeRight=65535\r\nMoveRangeBottom=65535\r\n' "$slot" "$skin"
    done
  } > "$dir/config.ini"
  echo "$dir"
}

ticks=$(getconf CLK_TCK)
# CPU ticks (user + system) of the processes named.
cpu() {
  local total=0 p
  for p in "$@"; do
    [ -r "/proc/$p/stat" ] && total=$((total + $(awk '{print $14 + $15}' "/proc/$p/stat")))
  done
  echo "$total"
}

# measure LABEL PROGRAM-PID OTHER-PIDS...: prints the figures of one run, the
# total and each process's share (program, X server, wineserver).
measure() {
  local label=$1 pid=$2
  shift 2
  sleep 3  # start-up and decoding are not what is measured
  local before=() after=() p start end peak
  for p in "$pid" "$@"; do before+=("$(cpu "$p")"); done
  start=$(date +%s.%N)
  sleep "$seconds"
  for p in "$pid" "$@"; do after+=("$(cpu "$p")"); done
  end=$(date +%s.%N)
  peak=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
  awk -v l="$label" -v b="${before[*]}" -v a="${after[*]}" -v t="$ticks" -v s="$start" -v e="$end" -v p="$peak" 'BEGIN {
    n = split(b, before, " "); split(a, after, " "); split("program X wineserver", names, " ")
    wall = e - s
    for (i = 1; i <= n; ++i) {
      share = 100 * (after[i] - before[i]) / t / wall
      total += share
      parts = parts sprintf("%s%s %.1f%%", i > 1 ? ", " : "", names[i], share)
    }
    printf "%-8s CPU %.1f ms per second (%.1f%% of one core: %s), peak memory %.1f MiB\n", l, 10 * total, total,
           parts, p / 1024
  }'
}

source scripts/lib/wine-env.sh
wine_start measure
native=$(folder build/linux/bin/kitemaru)
windows=$(folder build/win32/bin/kitemaru.exe)
trap 'wine_stop; rm -rf "$native" "$windows"' EXIT
echo "ten drifting sprites at 60 FPS, $seconds s each, program + X server (+ wineserver)"

"$native/kitemaru" &
native_pid=$!
measure native "$native_pid" "$XVFB_PID"
kill -TERM "$native_pid"
wait "$native_pid" || true

(cd "$windows" && wine kitemaru.exe) &
pid=
for _ in $(seq 1 100); do
  pid=$(pgrep -f 'kitemaru.exe' | while read -r p; do
    grep -q 'kitemaru.exe' "/proc/$p/cmdline" && echo "$p"; done | tail -n 1)
  [ -n "$pid" ] && break
  sleep 0.1
done
[ -n "$pid" ] || { echo "measure: kitemaru.exe did not start" >&2; exit 1; }
# Only this prefix's wineserver: other Wine programs may be running.
server=$(for p in $(pgrep '^wineserver' || true); do
  tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && echo "$p"; done)
measure Wine "$pid" "$XVFB_PID" $server
