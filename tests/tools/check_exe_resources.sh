#!/usr/bin/env bash
# What Windows shows of a shipped program, read from the file on the build
# machine: its icon at every size Explorer asks for (256 stored as PNG), the
# version block's company, copyright and file name, and its manifest.
# usage: check_exe_resources.sh EXE...
set -uo pipefail
status=0
for exe in "$@"; do
  fail() { echo "FAIL: $(basename "$exe"): $*" >&2; status=1; }
  icons=$(wrestool -x -t14 "$exe" | identify -format '%m %w\n' ico:- 2>&1)
  [ "$icons" = $'PNG 256\nICO 64\nICO 48\nICO 32\nICO 16' ] || fail "icon images:"$'\n'"$icons"
  # The strings of the version block, one a line, each value after its key.
  version=$(wrestool -x --raw -t16 "$exe" | iconv -f UTF-16LE -t UTF-8 | tr -s '\0' '\n')
  value() { grep -a -A1 "$1\$" <<<"$version" | sed -n 2p; }
  [ "$(value CompanyName)" = "KITE-MARU project" ] || fail "CompanyName '$(value CompanyName)'"
  [ "$(value LegalCopyright)" = "Copyright (c) 2026 the KITE-MARU developers" ] ||
    fail "LegalCopyright '$(value LegalCopyright)'"
  [ "$(value OriginalFilename)" = "$(basename "$exe")" ] || fail "OriginalFilename '$(value OriginalFilename)'"
  wrestool -x --raw -t24 -n1 "$exe" | grep -q 'PerMonitorV2' || fail "no manifest"
done
exit $status
