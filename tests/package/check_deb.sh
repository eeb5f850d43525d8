#!/usr/bin/env bash
# The Debian package as a user meets it: installed with apt-get, kitemaru
# started from the PATH by an ordinary user (nobody, with a scratch home) in a
# private Xvfb, showing a shipped skin and one from the user's own folder,
# saving its settings in the user's config folder and nothing under /usr;
# then purged, leaving none of its files.
# usage: check_deb.sh [DEB]   (without DEB, scripts/lib/build_deb.sh builds it)
# It installs, so it needs root; otherwise it prints SKIP and exits 0.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
if [ "$(id -u)" -ne 0 ]; then
  echo "SKIP: installing the package needs root"
  exit 0
fi
source "$root/tests/e2e/e2e_checks.sh"
source "$root/scripts/lib/wine-env.sh"

pid=""
fail() {
  echo "FAIL: $*" >&2
  [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
  exit 1
}

deb=${1:-}
if [ -z "$deb" ]; then
  deb=$(bash "$root/scripts/lib/build_deb.sh" | sed -n 's/^deb: //p')
  [ -n "$deb" ] || fail "the package did not build"
  deb=$root/$deb
fi
deb=$(realpath "$deb")

scratch=$(mktemp -d /tmp/kitemaru-deb.XXXXXX)
chmod 755 "$scratch"
home=$scratch/home
# Where the helpers of e2e_checks.sh read config.ini.
dir=$home/.config/kitemaru
shot=$scratch/shot.png
user=nobody
cleanup() {
  [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
  wine_stop
  dpkg-query -W kitemaru >/dev/null 2>&1 && DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq kitemaru >/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT

dpkg-query -W -f='${Status}' kitemaru 2>/dev/null | grep -q installed &&
  fail "kitemaru is installed already; purge it first"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >"$scratch/apt.log" 2>&1 ||
  fail "apt-get install failed: $(tail -n 5 "$scratch/apt.log")"
dpkg -L kitemaru > "$scratch/files"
[ "$(command -v kitemaru)" = /usr/bin/kitemaru ] || fail "kitemaru is not on the PATH"

# The user's own skin: "ring", a 64 x 64 magenta disc with clear corners.
mkdir -p "$home/.local/share/kitemaru/skin/ring" "$home/.config/kitemaru"
convert -size 64x64 xc:none -fill 'rgb(220,40,160)' -draw 'circle 32,32 32,1' -define png:color-type=6 \
  "$home/.local/share/kitemaru/skin/ring/strip.png"
printf '[Default]\r\nFile=strip.png\r\n' > "$home/.local/share/kitemaru/skin/ring/skin.ini"
config=$dir/config.ini
printf '[Window0]\r\nSkinName=kite\r\nPosition=400, 300\r\n[Window1]\r\nSkinName=ring\r\nPosition=800, 600\r\n' \
  > "$config"
chown -R "$user:" "$home"

as_user() {
  setpriv --reuid="$user" --regid="$(id -g "$user")" --clear-groups \
    env -i HOME="$home" DISPLAY="$DISPLAY" PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8 "$@"
}

xvfb_start
touch "$scratch/stamp"
sleep 1
as_user kitemaru > "$scratch/run.log" 2>&1 & pid=$!
control=""
for _ in $(seq 1 100); do
  control=$(xdotool search --name '^KITE-MARU$' 2>/dev/null | head -n 1)
  [ -n "$control" ] && break
  sleep 0.1
done
[ -n "$control" ] || fail "the control window did not appear: $(cat "$scratch/run.log")"
sleep 1
screenshot
cp "$shot" "${KITEMARU_DEB_SHOT:-$scratch/kept.png}" 2>/dev/null || true
# The shipped kite at (400, 300): drawn on the black of the screen.
bright=$(convert "$shot" -crop 96x96+400+300 -format '%[fx:int(1000*mean+0.5)]' info:)
[ "$bright" -gt 30 ] || fail "the shipped kite is not on screen (brightness $bright of 1000)"
case "$(pixel 832 632)" in 219,39,159 | 220,40,160) ;; *) fail "the user's ring is not on screen: $(pixel 832 632)" ;; esac
[ "$(pixel 801 601)" = "0,0,0" ] || fail "the ring's clear corner shows $(pixel 801 601)"

xdotool mousemove 160 200 click 3
sleep 0.5
xdotool key x
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the program did not end"
wait "$pid" || fail "exit code $?"
pid=""

expect_config Window0 SkinName kite
expect_config Window1 SkinName ring
expect_config Window1 Position "800, 600"
[ "$(stat -c %U "$config")" = "$user" ] || fail "config.ini does not belong to the user"
written=$(find /usr -xdev -newer "$scratch/stamp" 2>/dev/null)
[ -z "$written" ] || fail "written under /usr while it ran: $written"

as_user kitemaru-skincheck > "$scratch/check.log" 2>&1
grep -q "^/usr/share/kitemaru/skin:$" "$scratch/check.log" &&
  grep -q "^$home/.local/share/kitemaru/skin:$" "$scratch/check.log" &&
  grep -q "^ring: usable" "$scratch/check.log" && grep -q "^kite: usable" "$scratch/check.log" ||
  fail "kitemaru-skincheck: $(cat "$scratch/check.log")"

DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq kitemaru >/dev/null 2>&1 || fail "apt-get purge failed"
left=$(while read -r path; do
  case "$path" in /usr/share/kitemaru* | /usr/bin/* | /usr/share/*/kitemaru*) [ -e "$path" ] && echo "$path" ;; esac
done < "$scratch/files")
[ -z "$left" ] && [ ! -e /usr/share/kitemaru ] || fail "left after purge: $left"
echo "PASS: installed, run as $user (shipped kite and the user's ring on screen, settings in ~/.config/kitemaru), purged"
