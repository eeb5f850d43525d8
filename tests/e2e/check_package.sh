#!/usr/bin/env bash
# Checks the release zip as a Windows user gets it: it unpacks to exactly the
# expected files, and its kitemaru.exe, started under Wine with a starter
# config.ini beside it, shows the sample skins and writes its settings at exit.
# usage: check_package.sh ZIP   (E2E_DRIVER names the driver program)
set -uo pipefail
zip=$(realpath "${1:?zip}")
name=$(basename "$zip" -win32.zip)
unpacked=$(mktemp -d /tmp/kitemaru-package.XXXXXX)
E2E_EXE=$unpacked/$name/kitemaru.exe
source "$(dirname "$0")/e2e_lib.sh"

unzip -q "$zip" -d "$unpacked" || fail "could not unpack $zip"
expected=$({
  printf '%s\n' kitemaru.exe kitemaru-skincheck.exe README.txt LICENSE.txt THIRD-PARTY.txt
  (cd "$root/samples/skin" && find . -type f | sed 's|^\./|skin/|')
} | sed "s|^|$name/|" | LC_ALL=C sort)
got=$(cd "$unpacked" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
[ "$got" = "$expected" ] || fail "the zip holds:"$'\n'"$got"$'\n'"expected:"$'\n'"$expected"
diff -r "$root/samples/skin" "$unpacked/$name/skin" >/dev/null || fail "the skins differ from samples/skin"

dir=$unpacked/$name
shot=$unpacked/shot.png
printf '[Window0]\r\nSkinName=kite\r\nPosition=400, 500\r\n[Window1]\r\nSkinName=まる\r\nPosition=700, 300\r\n' \
  > "$dir/config.ini"
start_program
sprites=$(drive sprites)
grep -q 'sprite 400 500 96 96' <<<"$sprites" || fail "kite not shown: $sprites"
grep -q 'sprite 700 300 128 128' <<<"$sprites" || fail "まる not shown: $sprites"
screenshot
# Drawn pixels inside each sprite (about a quarter of kite's frame and a third
# of まる's are opaque), none in the empty desktop beside them.
drawn() { convert "$shot" -crop "$3x$4+$1+$2" +repage -fill white +opaque black -format '%[fx:int(mean*w*h)]' info:; }
[ "$(drawn 400 500 96 96)" -gt 1500 ] || fail "kite drew $(drawn 400 500 96 96) pixels"
[ "$(drawn 700 300 128 128)" -gt 4000 ] || fail "まる drew $(drawn 700 300 128 128) pixels"
[ "$(drawn 400 700 96 96)" = 0 ] || fail "pixels drawn beside the sprites"
close_program
expect_config General FPS 30
expect_config Window0 SkinName kite
expect_config Window1 Position "700, 300"
expect_config Window1 SkinName まる
# The screenshot stays for a person to look at.
shots=${E2E_SHOTS:-$root/build/e2e-shots}
mkdir -p "$shots" && cp "$shot" "$shots/package.png"
echo "PASS: package"
rm -rf "$unpacked"
