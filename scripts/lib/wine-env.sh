# Sourced by the scripts: a private Xvfb display and a 32-bit Wine prefix.
# The booted prefix is cached under build/wine/template-<arch> and copied per run,
# which takes under a second instead of a fresh wineboot.
#
# Some machines cannot run 32-bit programs at all (their kernel or sandbox
# refuses the format). There WINE_BITS is 64: the prefix is 64-bit and
# `wine` runs Wine's 64-bit loader, for the x86-64 build of the same code
# (preset win64). Debian's own `wine` would pick the 32-bit loader and fail.

WINE_ROOT=${WINE_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/build/wine}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# 32 when this machine runs 32-bit Wine, 64 when only 64-bit Wine runs, else empty.
wine_bits() {
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo 32
  elif /usr/lib/wine/wine64 --version >/dev/null 2>&1; then
    echo 64
  fi
}

WINE_BITS=${WINE_BITS:-$(wine_bits)}
export WINE_BITS
if [ "$WINE_BITS" = 64 ]; then
  export WINEARCH=win64
  mkdir -p "$WINE_ROOT/bin"
  for tool in wine wine-stable; do
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' > "$WINE_ROOT/bin/$tool"
    chmod +x "$WINE_ROOT/bin/$tool"
  done
  case ":$PATH:" in *":$WINE_ROOT/bin:"*) ;; *) export PATH=$WINE_ROOT/bin:$PATH ;; esac
else
  export WINEARCH=win32
fi

# Wine's own stand-alone tray window (ShowSystray: X11 Driver's up to Wine 8,
# Explorer's later), which it puts up at the screen's corner where the
# desktop has no tray, stays away: it would cover the control window there.
# The tray scenario runs a tray of its own.
# A template made before a settings change is made again (the mark's name).
wine_template() {
  local template=$WINE_ROOT/template-$WINEARCH
  [ -f "$template/.ready-3" ] && return 0
  rm -rf "$template" && mkdir -p "$template"
  WINEPREFIX=$template wineboot -i >/dev/null 2>&1
  cat > "$WINE_ROOT/settings.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
"ShowSystray"="N"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"MS UI Gothic"="IPAGothic"
"MS Gothic"="IPAGothic"
"MS Shell Dlg"="IPAGothic"
"MS Shell Dlg 2"="IPAGothic"
"Tahoma"="IPAGothic"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"ShowSystray"=dword:00000000
REG
  WINEPREFIX=$template wine regedit "$WINE_ROOT/settings.reg" >/dev/null 2>&1
  WINEPREFIX=$template wineserver -w
  touch "$template/.ready-3"
}

# xvfb_start: sets DISPLAY for a fresh virtual display of 1280 x 1024.
xvfb_start() {
  local fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
  XVFB_PID=$!
  local i
  for i in $(seq 1 100); do
    [ -s "$fdfile" ] && break
    sleep 0.05
  done
  export DISPLAY=:$(cat "$fdfile")
  rm -f "$fdfile"
  for i in $(seq 1 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.05
  done
}

# wine_start <name>: sets DISPLAY and WINEPREFIX for a fresh prefix and display.
wine_start() {
  local name=$1
  mkdir -p "$WINE_ROOT"
  wine_template
  export WINEPREFIX=$WINE_ROOT/$name
  rm -rf "$WINEPREFIX" && cp -a "$WINE_ROOT/template-$WINEARCH" "$WINEPREFIX"
  [ -n "${KITEMARU_KEEP_DISPLAY:-}" ] || xvfb_start
  wineserver -p
  # NOTE: Wine's helper processes keep the standard output they were started
  # with; start them here, not inside a later pipe that would then never end.
  wine cmd.exe /c exit >/dev/null 2>&1 || true
}

wine_stop() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null || true
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
  XVFB_PID=
}
