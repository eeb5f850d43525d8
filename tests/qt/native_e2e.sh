#!/usr/bin/env bash
# End-to-end scenarios of the native Linux program in the X display of
# scripts/test.sh (or a private Xvfb), driven with xdotool like a user.
# usage: native_e2e.sh SCENARIO   (NATIVE_EXE names the program)
set -uo pipefail
NATIVE_EXE=${NATIVE_EXE:?}
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/e2e/e2e_checks.sh"

if [ -z "${DISPLAY:-}" ]; then
  source "$root/scripts/lib/wine-env.sh"
  xvfb_start
  trap wine_stop EXIT
fi

pid=""
fail() {
  echo "FAIL: $*" >&2
  [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
  exit 1
}

make_folder() {
  dir=$(mktemp -d /tmp/kitemaru-native.XXXXXX)
  cp "$NATIVE_EXE" "$dir/kitemaru"
  make_test_skins "$dir/skin"
  shot=$dir/shot.png
}

start_program() {
  "$dir/kitemaru" & pid=$!
  local i
  for i in $(seq 1 100); do
    control=$(xdotool search --name '^KITE-MARU$' 2>/dev/null | head -n 1)
    [ -n "$control" ] && break
    sleep 0.1
  done
  [ -n "$control" ] || fail "the control window did not appear"
  sleep 1
}

# Ends the program with the control menu's exit item (its access key X).
close_program() {
  xdotool mousemove 160 200 click 3
  sleep 0.5
  xdotool key x
  wait_exit
}

wait_exit() {
  local i
  for i in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && fail "the program did not end"
  wait "$pid" || fail "exit code $?"
  pid=""
}

# "sprite X Y W H" for every visible window of the program but the control
# window, ordered by position.
sprites() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
    [ "$w" = "$control" ] && continue
    eval "$(xdotool getwindowgeometry --shell "$w")"
    echo "sprite $X $Y $WIDTH $HEIGHT $w"
  done | sort -n -k2 -k3
}

first_start() {
  make_folder
  start_program
  screenshot
  [ "$(count_colour 0 0 320 240 '#FFFFFF')" -gt 40 ] || fail "no white header text"
  [ "$(count_colour 0 0 320 240 '#C4C4C4')" -gt 100 ] || fail "no grey status text"
  close_program
  [ "$(grep -c '=' "$dir/config.ini")" = 81 ] || fail "config.ini does not hold 81 keys"
  expect_config General FPS 30
  expect_config Window9 Position ""
}

sprites_restore() {
  make_folder
  printf '[Window0]\r\nSkinName=plain\r\nPosition=400, 300\r\n[Window4]\r\nSkinName=tall\r\nPosition=700, 500\r\nTopMost=5\r\n' > "$dir/config.ini"
  start_program
  local listed
  listed=$(sprites)
  grep -q 'sprite 400 300 64 64' <<<"$listed" || fail "plain not restored: $listed"
  grep -q 'sprite 700 500 48 96' <<<"$listed" || fail "tall not restored: $listed"
  local tall
  tall=$(awk '$2 == 700 { print $6 }' <<<"$listed")
  xprop -id "$tall" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE || fail "tall is not on top"
  screenshot
  # Premultiplied as (c * a) >> 8, over the black root.
  [ "$(pixel 430 330)" = "100,50,25" ] || fail "plain pixel is $(pixel 430 330)"
  [ "$(pixel 720 520)" = "29,159,89" ] || fail "tall pixel is $(pixel 720 520)"
  close_program
  expect_config Window0 Position "400, 300"
  expect_config Window4 TopMost 1
}

range_editor() {
  make_folder
  printf '[Window0]\r\nSkinName=plain\r\nPosition=100, 100\r\n' > "$dir/config.ini"
  start_program
  xdotool mousemove 110 110 click --repeat 2 --delay 80 1
  sleep 0.7
  local editor
  editor=$(sprites | grep -v 'sprite 100 100 ')
  # The default range, the middle half of 1280 x 1024.
  grep -q 'sprite 319 255 640 512' <<<"$editor" || fail "editor placed at: $editor"
  local id
  id=$(awk '{ print $6 }' <<<"$editor")
  xdotool windowfocus --sync "$id"
  xdotool key Right Down shift+Right shift+Right ctrl+Down shift+ctrl+End
  sleep 0.5
  editor=$(sprites | grep -v 'sprite 100 100 ')
  grep -q 'sprite 320 264 674 512' <<<"$editor" || fail "editor after keys: $editor"
  xdotool key Return
  sleep 0.5
  [ -z "$(sprites | grep -v 'sprite 100 100 ')" ] || fail "the editor stayed open after Enter"
  close_program
  expect_range_of 320 264 674 512
}

# Closes a sprite from its own menu, then loads the first skin from the
# control window's menu, all with the mouse and keys.
close_and_switch() {
  make_folder
  printf '[Window0]\r\nSkinName=tall\r\nPosition=500, 100\r\n' > "$dir/config.ini"
  start_program
  xdotool mousemove 510 110 click 3
  sleep 0.7
  xdotool key c
  sleep 0.7
  [ -z "$(sprites)" ] || fail "the sprite stayed after its close command: $(sprites)"
  xdotool mousemove 160 200 click 3
  sleep 0.7
  xdotool key Down Right Return
  sleep 0.7
  [ "$(sprites | wc -l)" = 1 ] || fail "no sprite after loading a skin: $(sprites)"
  close_program
  # The menu lists skins in the folder's own order, whichever comes first.
  case "$(config_value Window0 SkinName)" in
    plain | tall) ;;
    *) fail "slot 0 shows '$(config_value Window0 SkinName)' after loading a skin" ;;
  esac
}

sigterm_saves() {
  make_folder
  printf '[Window3]\r\nSkinName=tall\r\nPosition=600, 400\r\n' > "$dir/config.ini"
  start_program
  kill -TERM "$pid"
  wait_exit
  [ "$(grep -c '=' "$dir/config.ini")" = 81 ] || fail "config.ini was not saved in full"
  expect_config Window3 SkinName tall
  expect_config Window3 Position "600, 400"
}

# A config.ini linked in from a dotfiles folder stays a link; the file it
# leads to gets the settings and keeps its mode 600.
saves_through_link() {
  make_folder
  mkdir "$dir/dotfiles"
  printf '[Window3]\r\nSkinName=tall\r\nPosition=600, 400\r\n' > "$dir/dotfiles/kitemaru.ini"
  chmod 600 "$dir/dotfiles/kitemaru.ini"
  ln -s dotfiles/kitemaru.ini "$dir/config.ini"
  XDG_CONFIG_HOME=$dir/user start_program
  close_program
  [ -L "$dir/config.ini" ] || fail "config.ini is no longer a link"
  [ "$(grep -c '=' "$dir/dotfiles/kitemaru.ini")" = 81 ] || fail "the link's target was not saved in full"
  [ "$(stat -c %a "$dir/dotfiles/kitemaru.ini")" = 600 ] || fail "mode $(stat -c %a "$dir/dotfiles/kitemaru.ini")"
  expect_config Window3 SkinName tall
  [ -z "$(find "$dir" -name '*.tmp')" ] || fail "temporary files left: $(find "$dir" -name '*.tmp')"
}

# The program in a tiny tmpfs filled to the last byte while it runs: the exit
# save goes to the per-user copy, and the next start reads it from there.
full_disk_saves_to_user_copy() {
  make_folder
  local disk=$dir/disk
  mkdir "$disk"
  local need=$(( $(du -sb --exclude=disk "$dir" | cut -f1) / 1048576 + 2 ))
  if ! mount -t tmpfs -o size=${need}m tmpfs "$disk" 2>/dev/null; then
    echo "SKIP: cannot mount a tmpfs here"
    return 0
  fi
  # Unmounted also when a check fails and the script exits.
  trap "umount '$disk' 2>/dev/null; $(trap -p EXIT | sed -E "s/^trap -- '(.*)' EXIT$/\1/")" EXIT
  cp -r "$dir/kitemaru" "$dir/skin" "$disk/"
  printf '[Window3]\r\nSkinName=tall\r\nPosition=600, 400\r\n' > "$disk/config.ini"
  local old user=$dir/user/kitemaru/config.ini
  old=$(cat "$disk/config.ini")
  local program=$dir
  dir=$disk
  XDG_CONFIG_HOME=$program/user start_program
  dd if=/dev/zero of="$disk/filler" bs=4096 2>/dev/null
  dd if=/dev/zero of="$disk/filler2" bs=1 2>/dev/null
  close_program
  [ "$(cat "$disk/config.ini")" = "$old" ] || fail "the full disk's config.ini changed"
  [ "$(grep -c '=' "$user")" = 81 ] || fail "the per-user copy does not hold the settings"
  rm -f "$disk/filler" "$disk/filler2"
  printf '[Mark]\r\nFrom=user\r\n' >> "$user"
  XDG_CONFIG_HOME=$program/user start_program
  close_program
  expect_config Mark From user
  expect_config Window3 Position "600, 400"
  umount "$disk"
  dir=$program
}

# Skins removed and one added while the program runs: the control menu lists
# only the new one, and loading it works.
skins_come_and_go() {
  make_folder
  start_program
  cp -r "$dir/skin/plain" "$dir/skin/fresh"
  rm -rf "$dir/skin/plain" "$dir/skin/tall"
  xdotool mousemove 160 200 click 3
  sleep 0.7
  xdotool key Down Right Return
  sleep 0.7
  [ "$(sprites | wc -l)" = 1 ] || fail "no sprite after loading the added skin: $(sprites)"
  close_program
  expect_config Window0 SkinName fresh
}

"$1" && echo "PASS: $1" && rm -rf "$dir"
