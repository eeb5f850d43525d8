#!/usr/bin/env bash
# Redraws the sample skins in samples/skin with tools/make_samples.
# Usage: scripts/make-samples.sh [build folder]   (default: build/make-samples)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/make-samples}

generator=()
if command -v ninja >/dev/null; then generator=(-G Ninja); fi
cmake -S "$root/tools/make_samples" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j1

# Drawn into a fresh folder first, so a failed run leaves the old samples alone
# and a skin dropped from the tool does not linger.
fresh=$(mktemp -d "$root/samples/.skin.XXXXXX")
trap 'rm -rf "$fresh"' EXIT
"$build/make_samples" "$fresh"
rm -rf "$root/samples/skin"
mv "$fresh" "$root/samples/skin"
chmod 755 "$root/samples/skin"
trap - EXIT
echo "make-samples: wrote $root/samples/skin"
