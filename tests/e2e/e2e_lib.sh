# Shared steps of the end-to-end scenarios: a program folder with test skins,
# starting and closing kitemaru.exe under Wine, reading config.ini, pixels.

E2E_EXE=${E2E_EXE:?}
E2E_DRIVER=${E2E_DRIVER:?}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
  source "$root/scripts/lib/wine-env.sh"
  wine_start e2e
  trap wine_stop EXIT
fi

# Ends a program left running by a failed scenario: it would hold CTest's pipe.
kill_program() {
  local p
  for p in $(pgrep -f 'kitemaru.exe' || true); do
    [ "$(readlink "/proc/$p/cwd" 2>/dev/null)" = "${dir:-}" ] && kill -9 "$p" 2>/dev/null
  done
}

fail() {
  echo "FAIL: $*" >&2
  [ -n "${shot:-}" ] && [ -f "$shot" ] && echo "screenshot: $shot" >&2
  kill_program
  exit 1
}

# A program folder with two test skins: "plain" (64 x 64, 2 frames, every pixel
# red 200 green 100 blue 50 at alpha 128) and "tall" (48 x 96, 1 frame, opaque).
make_folder() {
  dir=$(mktemp -d /tmp/kitemaru-e2e.XXXXXX)
  cp "$E2E_EXE" "$dir/kitemaru.exe"
  mkdir -p "$dir/skin/plain" "$dir/skin/tall" "$dir/skin/not-a-skin"
  convert -size 64x128 'xc:rgba(200,100,50,0.502)' -define png:color-type=6 "$dir/skin/plain/strip.png"
  printf '[Default]\r\nFile=strip.png\r\nAnimationFrame=2\r\nAnimationWait=100\r\n' > "$dir/skin/plain/skin.ini"
  convert -size 48x96 'xc:rgb(30,160,90)' -define png:color-type=6 "$dir/skin/tall/strip.png"
  printf '[Default]\r\nFile=strip.png\r\n' > "$dir/skin/tall/skin.ini"
  shot=$dir/shot.png
}

start_program() {
  rm -f "$dir/exit-code"
  (cd "$dir" && wine kitemaru.exe; echo $? > "$dir/exit-code") &
  wine "$E2E_DRIVER" wait || fail "the control window did not appear"
  sleep 1
}

drive() { wine "$E2E_DRIVER" "$@" | tr -d '\r'; }

# Waits for the program to end and checks that it ended well.
wait_exit() {
  local i
  for i in $(seq 1 200); do
    [ -f "$dir/exit-code" ] && break
    sleep 0.1
  done
  [ -f "$dir/exit-code" ] || fail "kitemaru.exe did not end"
  [ "$(cat "$dir/exit-code")" = 0 ] || fail "exit code $(cat "$dir/exit-code")"
}

close_program() {
  drive close || fail "could not close"
  wait_exit
}

# config_value SECTION KEY
config_value() {
  awk -v section="[$1]" -v key="$2" '
    { sub(/\r$/, "") }
    /^\[/ { inside = ($0 == section); next }
    inside && index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }
  ' "$dir/config.ini"
}

expect_config() {
  local got
  got=$(config_value "$1" "$2")
  [ "$got" = "$3" ] || fail "config.ini [$1] $2 is '$got', expected '$3'"
}

screenshot() { import -window root "$shot"; }

# pixel X Y: "R,G,B" of the last screenshot.
pixel() { convert "$shot" -format '%[fx:int(255*p{'"$1,$2"'}.r)],%[fx:int(255*p{'"$1,$2"'}.g)],%[fx:int(255*p{'"$1,$2"'}.b)]' info:; }

# count_colour X Y W H "#RRGGBB": pixels of exactly that colour in the region.
count_colour() {
  convert "$shot" -crop "$3x$4+$1+$2" +repage -fill black +opaque "$5" -fill white -opaque "$5" \
    -format '%[fx:int(mean*w*h+0.5)]' info:
}
