#!/usr/bin/env bash
# Builds the fuzz preset and fuzzes LoadPng for a number of seconds (default 30),
# starting from generated seed strips. Findings land in build/fuzz/findings.
set -euo pipefail
seconds=${1:-30}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j1 --target load_png_fuzzer load_png_seeds

out=$root/build/fuzz
rm -rf "$out/load_png_seeds_dir"
"$out/bin/load_png_seeds" "$out/load_png_seeds_dir"
mkdir -p "$out/load_png_corpus" "$out/findings"
"$out/bin/load_png_fuzzer" -max_total_time="$seconds" -max_len=16384 -rss_limit_mb=2048 \
  -artifact_prefix="$out/findings/" -print_final_stats=1 \
  "$out/load_png_corpus" "$out/load_png_seeds_dir"
