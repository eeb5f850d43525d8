# Shared steps of the end-to-end scenarios: a program folder with test skins,
# starting and closing kitemaru.exe under Wine, reading config.ini, pixels.

E2E_EXE=${E2E_EXE:?}
E2E_DRIVER=${E2E_DRIVER:?}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$root/tests/e2e/e2e_checks.sh"

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

# A program folder with the test skins and a folder that is no skin.
make_folder() {
  dir=$(mktemp -d /tmp/kitemaru-e2e.XXXXXX)
  cp "$E2E_EXE" "$dir/kitemaru.exe"
  mkdir -p "$dir/skin/not-a-skin"
  make_test_skins "$dir/skin"
  shot=$dir/shot.png
}

# start_program [ARGUMENT...]
start_program() {
  rm -f "$dir/exit-code"
  (cd "$dir" && wine kitemaru.exe "$@"; echo $? > "$dir/exit-code") &
  wine "$E2E_DRIVER" wait || fail "the control window did not appear"
  sleep 1
}

drive() { wine "$E2E_DRIVER" "$@" | tr -d '\r'; }
sprites() { drive sprites; }
editors() { drive editors; }
double_click() { drive sprite-dblclick "$1" "$2" || fail "no sprite at $1,$2 to double-click"; }
# The editor a double-click opened is the active window already.
focus_editor() { :; }

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
