#!/usr/bin/env bash
# Runs a command in a private X display set up as a user's desktop would be:
# a coloured full-screen desktop window at the bottom (Xvfb's root reads back
# black, so a black box would not show over it), and then nothing more
# ("bare"), a window manager ("openbox"), or a window manager and a
# compositing manager ("xcompmgr").
# usage: desktop.sh bare|openbox|xcompmgr COMMAND...
set -uo pipefail
setup=$1
shift
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib/wine-env.sh"

export KITEMARU_DESKTOP=$setup
export KITEMARU_BACKDROP='#204080'
helpers=()
stop() {
  local p
  for p in "${helpers[@]}"; do kill "$p" 2>/dev/null; done
  wine_stop
}
trap stop EXIT
xvfb_start
export KITEMARU_XVFB_PID=$XVFB_PID

# wait_for COMMAND...: up to 5 s for the command to succeed.
wait_for() {
  local i
  for i in $(seq 1 100); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.05
  done
  echo "desktop: gave up waiting for $*" >&2
  return 1
}

python3 - "$KITEMARU_BACKDROP" <<'PY' &
import sys, tkinter
desktop = tkinter.Tk(className='backdrop')
desktop.attributes('-type', 'desktop')
desktop.geometry('1280x1024+0+0')
desktop.configure(background=sys.argv[1])
desktop.mainloop()
PY
helpers+=($!)
wait_for xdotool search --onlyvisible --class backdrop || exit 1

case $setup in
  bare) ;;
  openbox | xcompmgr)
    openbox --sm-disable >/dev/null 2>&1 &
    helpers+=($!)
    wait_for sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q window' || exit 1
    ;;
  *) echo "desktop: unknown setup $setup" >&2; exit 2 ;;
esac
if [ "$setup" = xcompmgr ]; then
  xcompmgr >/dev/null 2>&1 &
  helpers+=($!)
  sleep 0.5
fi

"$@"
