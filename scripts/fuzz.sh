#!/usr/bin/env bash
# Builds the fuzz preset and fuzzes for a number of seconds in all (default
# 30), shared by the two targets: LoadPng from generated seed strips, and the
# settings file's round trip from seed files in every form Windows writes.
# Findings land in build/fuzz/findings.
set -euo pipefail
seconds=${1:-30}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j1 --target load_png_fuzzer load_png_seeds ini_round_trip_fuzzer

out=$root/build/fuzz
mkdir -p "$out/findings"
run() {
  local fuzzer=$1 corpus=$2 seeds=$3 time=$4
  mkdir -p "$corpus"
  "$out/bin/$fuzzer" -max_total_time="$time" -max_len=16384 -rss_limit_mb=2048 \
    -artifact_prefix="$out/findings/" -print_final_stats=1 "$corpus" "$seeds"
}

rm -rf "$out/load_png_seeds_dir"
"$out/bin/load_png_seeds" "$out/load_png_seeds_dir"
run load_png_fuzzer "$out/load_png_corpus" "$out/load_png_seeds_dir" $((seconds - seconds / 2))

# Six leading bytes choose the values the fuzzer sets; the rest is the file.
seeds=$out/ini_seeds
rm -rf "$seeds" && mkdir -p "$seeds"
text=$'; \xE8\xA8\xAD\xE5\xAE\x9A\r\n[General]\r\nFPS=15\n[Window0] ; x\rSkinName=\xE3\x81\xBE\xE3\x82\x8B\r\n'
choose=$'\x01\x04\x12\x05\x23\x0c'
printf '%s' "$choose$text" > "$seeds/utf8"
printf '%s' "$choose"$'\xEF\xBB\xBF\xEF\xBB\xBF'"$text" > "$seeds/utf8-two-marks"
{ printf '%s' "$choose"; printf '%s' "$text" | iconv -f UTF-8 -t CP932; } > "$seeds/cp932"
{ printf '%s' "$choose"$'\xFF\xFE'; printf '%s' "$text" | iconv -f UTF-8 -t UTF-16LE; } > "$seeds/utf16le"
{ printf '%s' "$choose"; printf '%s' "$text" | iconv -f UTF-8 -t UTF-16LE; } > "$seeds/utf16le-no-mark"
{ printf '%s' "$choose"$'\xFE\xFF'; printf '%s' "$text" | iconv -f UTF-8 -t UTF-16BE; } > "$seeds/utf16be"
run ini_round_trip_fuzzer "$out/ini_corpus" "$seeds" $((seconds / 2))
