#!/usr/bin/env bash
# Runs both builds, one after the other in the same Xvfb, and prints for each
# scene the CPU time per second of wall time of the program plus the X server
# (plus wineserver for the Windows build), the program's wake-ups per second
# (voluntary context switches of all its threads) and its peak memory.
# Scenes: ten drifting sample sprites at 60 FPS; nothing, one and ten standing
# sample sprites at 30 FPS.
# usage: scripts/measure.sh [seconds [old-kitemaru [old-kitemaru.exe]]]
#   The old programs, where given, are measured in the same run, scene by
#   scene beside the new ones. KITEMARU_MEASURE_SCENES picks scenes (drift,
#   nothing, one, ten).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-20}
old_native=${2:-}
old_windows=${3:-}

bash scripts/setup.sh
source scripts/lib/wine-env.sh
# The Windows build as this machine can run it (see scripts/test.sh).
windows=win32
[ "$WINE_BITS" = 64 ] && windows=win64
if [ $windows = win64 ]; then bash scripts/build-win-deps.sh x86_64; else bash scripts/build-win-deps.sh; fi
cmake --preset $windows >/dev/null
cmake --build --preset $windows --target kitemaru >/dev/null
cmake --preset linux >/dev/null
cmake --build --preset linux --target kitemaru >/dev/null

# folder PROGRAM SCENE: a program folder with the sample skins set up for the scene.
folder() {
  local dir sprites fps method
  dir=$(mktemp -d /tmp/kitemaru-measure.XXXXXX)
  cp "$1" "$dir/"
  cp -r samples/skin "$dir/skin"
  case $2 in
    drift) sprites=10 fps=60 method=1 ;;
    nothing) sprites=0 fps=30 method=0 ;;
    one) sprites=1 fps=30 method=0 ;;
    ten) sprites=10 fps=30 method=0 ;;
  esac
  {
    printf '[General]\r\nFPS=%d\r\n' "$fps"
    for ((slot = 0; slot < sprites; ++slot)); do
      if [ $((slot % 2)) = 0 ]; then skin=kite; else skin=まる; fi
      printf '[Window%d]\r\nSkinName=%s\r\nMoveMethod=%d\r\nMoveRangeLeft=0\r\nMoveRangeTop=0\r\nMoveRangeRight=65535\r\nMoveRangeBottom=65535\r\n' \
        "$slot" "$skin" "$method"
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
# Voluntary context switches of every thread of the process: its wake-ups.
wakeups() {
  cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ {n += $2} END {print n + 0}'
}

# measure LABEL PROGRAM-PID OTHER-PIDS...: prints the figures of one run, the
# total and each process's share (program, X server, wineserver).
measure() {
  local label=$1 pid=$2
  shift 2
  sleep 3  # start-up and decoding are not what is measured
  local before=() after=() p start end peak wake_before wake_after
  for p in "$pid" "$@"; do before+=("$(cpu "$p")"); done
  wake_before=$(wakeups "$pid")
  start=$(date +%s.%N)
  sleep "$seconds"
  for p in "$pid" "$@"; do after+=("$(cpu "$p")"); done
  wake_after=$(wakeups "$pid")
  end=$(date +%s.%N)
  peak=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
  awk -v l="$label" -v b="${before[*]}" -v a="${after[*]}" -v t="$ticks" -v s="$start" -v e="$end" -v p="$peak" \
      -v w="$((wake_after - wake_before))" 'BEGIN {
    n = split(b, before, " "); split(a, after, " "); split("program X wineserver", names, " ")
    wall = e - s
    for (i = 1; i <= n; ++i) {
      share = 100 * (after[i] - before[i]) / t / wall
      total += share
      parts = parts sprintf("%s%s %.1f%%", i > 1 ? ", " : "", names[i], share)
    }
    printf "  %-12s CPU %5.1f%% of one core (%s), %6.1f wake-ups/s, peak memory %.1f MiB\n", l, total,
           parts, w / wall, p / 1024
  }'
}

# run_native LABEL PROGRAM SCENE
run_native() {
  local dir pid
  dir=$(folder "$2" "$3")
  "$dir/$(basename "$2")" &
  pid=$!
  measure "$1" "$pid" "$XVFB_PID"
  kill -TERM "$pid"
  wait "$pid" || true
  rm -rf "$dir"
}

# run_windows LABEL PROGRAM SCENE
run_windows() {
  local dir pid server
  dir=$(folder "$2" "$3")
  (cd "$dir" && wine kitemaru.exe) &
  pid=
  for _ in $(seq 1 100); do
    # Wine names the process after the program it runs.
    pid=$(pgrep -n -x kitemaru.exe || true)
    [ -n "$pid" ] && break
    sleep 0.1
  done
  [ -n "$pid" ] || { echo "measure: kitemaru.exe did not start" >&2; exit 1; }
  # Only this prefix's wineserver: other Wine programs may be running.
  server=$(for p in $(pgrep '^wineserver' || true); do
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && echo "$p"; done)
  measure "$1" "$pid" "$XVFB_PID" $server
  kill -TERM "$pid" 2>/dev/null || true
  for _ in $(seq 1 50); do [ -d "/proc/$pid" ] || break; sleep 0.1; done
  rm -rf "$dir"
}

wine_start measure
trap 'wine_stop' EXIT
echo "$seconds s per run; CPU of the program + X server (+ wineserver); wake-ups of the program"
for scene in ${KITEMARU_MEASURE_SCENES:-drift nothing one ten}; do
  case $scene in
    drift) echo "ten drifting sample sprites, 60 FPS" ;;
    nothing) echo "nothing on the desktop (control window only), 30 FPS" ;;
    one) echo "one standing sprite, 30 FPS" ;;
    ten) echo "ten standing sprites, 30 FPS" ;;
  esac
  [ -n "$old_native" ] && run_native "native, old" "$old_native" $scene
  run_native "native" build/linux/bin/kitemaru $scene
  [ -n "$old_windows" ] && run_windows "Wine, old" "$old_windows" $scene
  run_windows "Wine" build/$windows/bin/kitemaru.exe $scene
done
