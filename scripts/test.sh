#!/usr/bin/env bash
# Installs what is missing, builds every target and runs every test:
# native (sanitizers, ThreadSanitizer, a short fuzz run), then the Windows
# build under Wine, end-to-end tests included, the release zip as a user
# unpacks and starts it, and the Linux desktop build in the same Xvfb;
# last the Debian package, installed, run by an ordinary user and purged
# (as root only: otherwise it is counted as skipped).
# Exits non-zero on any failure.
# usage: scripts/test.sh [[-R] REGEX]
#   REGEX picks tests by their CTest name on every build (ctest -R); the fuzz
#   run and the release zip run only if "fuzz" or "package" matches it.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
[ "${1:-}" = -R ] && shift
filter=${1:-}
# selected STEP: whether the step named so is wanted.
selected() { [ -z "$filter" ] || grep -qE -- "$filter" <<<"$1"; }

bash scripts/setup.sh || exit 1
bash scripts/build-win-deps.sh || exit 1
source scripts/lib/wine-env.sh
# The Windows tests run on the 32-bit program where this machine runs 32-bit
# programs, else on the x86-64 build of the same code.
windows=win32
if [ "$WINE_BITS" = 64 ]; then
  windows=win64
  bash scripts/build-win-deps.sh x86_64 || exit 1
  echo "NOTE: this machine cannot run 32-bit programs: the Windows tests run on the x86-64 build under 64-bit Wine,"
  echo "      and the release zip is built but not started."
fi

passed=0
failed=0
skipped=0
status=0
log=$(mktemp)

# run_ctest <label> <ctest arguments...>: runs and adds its counts to the totals.
run_ctest() {
  local label=$1
  shift
  if [ -n "$filter" ]; then
    set -- "$@" -R "$filter"
    if ctest "$@" -N | grep -q '^Total Tests: 0$'; then
      echo "== $label: no test matches '$filter'"
      return
    fi
  fi
  echo "== $label"
  ctest "$@" 2>&1 | tee "$log"
  local rc=${PIPESTATUS[0]}
  local line
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
  if [ -n "$line" ]; then
    local total fails
    fails=$(sed -E 's/.*passed, ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$line")
    total=$(sed -E 's/.*failed out of ([0-9]+).*/\1/' <<<"$line")
    passed=$((passed + total - fails))
    failed=$((failed + fails))
  else
    failed=$((failed + 1))
  fi
  [ "$rc" -eq 0 ] || status=1
}

build() {
  local preset=$1
  shift
  echo "== build $preset"
  cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" "$@" || { status=1; return 1; }
}

if build host; then
  run_ctest "host tests (AddressSanitizer, UndefinedBehaviorSanitizer)" --preset host
fi

if build tsan --target motion_race_test; then
  run_ctest "worker tests (ThreadSanitizer)" --preset tsan -L threads
fi

if selected fuzz && build fuzz; then
  echo "== fuzz LoadPng and the settings round trip for ${KITEMARU_FUZZ_SECONDS:-30} s"
  if bash scripts/fuzz.sh "${KITEMARU_FUZZ_SECONDS:-30}"; then passed=$((passed + 1)); else failed=$((failed + 1)); status=1; fi
fi

win32_built=0
deb=
linux_built=0
build $windows && win32_built=1
build linux && linux_built=1
if [ $win32_built = 1 ] || [ $linux_built = 1 ]; then
  wine_start test
  trap wine_stop EXIT
  if [ $win32_built = 1 ]; then
    run_ctest "Windows tests under Wine ($windows)" --preset $windows
  fi
  if [ $win32_built = 1 ] && selected package; then
    echo "== release zip"
    bash scripts/package.sh 2>&1 | tee "$log"
    zip=$(sed -n 's/^zip: //p' "$log")
    deb=$(sed -n 's/^deb: //p' "$log")
    if [ -n "$zip" ] && [ $windows = win64 ]; then
      passed=$((passed + 1))
    elif [ -n "$zip" ] && E2E_DRIVER=$root/build/win32/bin/e2e_driver.exe bash tests/e2e/check_package.sh "$zip"; then
      passed=$((passed + 1))
    else
      failed=$((failed + 1))
      status=1
    fi
  fi
  [ $linux_built = 1 ] && run_ctest "Linux desktop tests (Qt, X11)" --preset linux
  wine_stop
fi

if selected package; then
  echo "== Debian package: built, installed, run as a user, purged"
  # package.sh built it with the zip; otherwise the check builds it.
  bash tests/package/check_deb.sh ${deb:+"$deb"} 2>&1 | tee "$log"
  if [ "${PIPESTATUS[0]}" -ne 0 ]; then
    failed=$((failed + 1))
    status=1
  elif grep -q '^SKIP:' "$log"; then
    skipped=$((skipped + 1))
  else
    passed=$((passed + 1))
  fi
fi

rm -f "$log"
echo
[ $skipped -eq 0 ] || echo "skipped: $skipped (see SKIP above)"
echo "summary: $passed passed, $failed failed"
exit $status
