#!/usr/bin/env bash
# End-to-end scenarios of the native Linux program, driven with xdotool like
# a user, in the display desktop.sh sets up (or a private bare Xvfb).
# usage: native_e2e.sh SCENARIO   (NATIVE_EXE names the program)
set -uo pipefail
NATIVE_EXE=${NATIVE_EXE:?}
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/e2e/e2e_checks.sh"
# Skins only from the scenario's folder, whatever this machine has installed.
export XDG_DATA_HOME=/nonexistent XDG_DATA_DIRS=/nonexistent

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

# "ring": 64 x 64, one frame, an opaque disc with transparent corners.
make_ring_skin() {
  mkdir -p "$dir/skin/ring"
  convert -size 64x64 xc:none -fill 'rgb(220,40,160)' -draw 'circle 32,32 32,1' -define png:color-type=6 \
    "$dir/skin/ring/strip.png"
  printf '[Default]\r\nFile=strip.png\r\n' > "$dir/skin/ring/skin.ini"
}

shots=${E2E_SHOTS:-$root/build/e2e-shots}
backdrop=${KITEMARU_BACKDROP:-#000000}
backdrop_rgb=$(printf '%d,%d,%d' "0x${backdrop:1:2}" "0x${backdrop:3:2}" "0x${backdrop:5:2}")

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

# wait_gone WHY: up to 10 s for the program to end.
wait_gone() {
  local i
  for i in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && fail "the program did not end$1"
}

wait_exit() {
  wait_gone ""
  wait "$pid" || fail "exit code $?"
  pid=""
}

# "sprite X Y W H topmost|normal ID" for every visible window of the program
# but the control window, ordered by position.
sprites() {
  local w state
  for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
    [ "$w" = "$control" ] && continue
    eval "$(xdotool getwindowgeometry --shell "$w")"
    state=normal
    xprop -id "$w" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_ABOVE && state=topmost
    echo "sprite $X $Y $WIDTH $HEIGHT $state $w"
  done | sort -n -k2 -k3
}

# The range editors: the windows of the program wider than any test skin.
editors() { sprites | awk '$4 > 64 { $1 = "editor"; print }'; }

double_click() { xdotool mousemove "$1" "$2" click --repeat 2 --delay 80 1; }

focus_editor() {
  xdotool windowfocus --sync "$(editors | awk '{ print $7 }')"
  # A window manager hands the focus over a moment after it says so.
  sleep 0.3
}

# The open control menu, saved for a look as shots/native-languages-NAME.png.
menu_shot() {
  xdotool mousemove 160 200 click 3
  sleep 0.7
  screenshot
  mkdir -p "$shots" && cp "$shot" "$shots/native-languages-$1.png"
  xdotool key Escape
  sleep 0.5
}

# expect_about TITLE WHEN: the control menu's about item (access key A)
# opens a box of that title, which Escape closes.
expect_about() {
  xdotool mousemove 160 200 click 3
  sleep 0.5
  xdotool key a
  local about="" i
  for i in $(seq 1 30); do
    about=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$about" ] && break
    sleep 0.1
  done
  [ -n "$about" ] || fail "$2: no about box titled '$1'"
  xdotool windowfocus --sync "$about"
  sleep 0.3
  xdotool key Escape
  sleep 0.5
}

# The locale's language unless config.ini chooses one; Settings > Language
# (access keys S, L, J in both languages) changes the menus at once.
languages() {
  make_folder
  LC_ALL=ja_JP.UTF-8 start_program
  menu_shot japanese-locale
  expect_about "バージョン情報" "Japanese locale"
  close_program
  LANG=C.UTF-8 LC_ALL= LANGUAGE= start_program
  menu_shot english-locale
  expect_about "About KITE-MARU" "English locale"
  xdotool mousemove 160 200 click 3
  sleep 0.5
  xdotool key s l j
  sleep 0.5
  menu_shot japanese-chosen
  expect_about "バージョン情報" "after choosing 日本語"
  close_program
  expect_config General Language ja
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

# drag FROM_X FROM_Y TO_X TO_Y: a quick press, move and release, as a
# hurried hand makes it.
drag() {
  xdotool mousemove "$1" "$2" mousedown 1 mousemove "$3" "$4" mouseup 1
  sleep 0.4
}

# sprite_at X Y: the sprite shows at X, Y on the screen and config.ini will say so.
expect_sprite_at() {
  sprites | grep -q "^sprite $1 $2 " || fail "sprite not at $1,$2: $(sprites)"
}

# Always on top keeps the sprite cut to its pixels and moving with the pointer.
topmost_keeps_shape() {
  make_folder
  make_ring_skin
  printf '[Window0]\r\nSkinName=ring\r\nPosition=400, 300\r\nTopMost=1\r\n' > "$dir/config.ini"
  start_program
  drag 432 332 532 432
  expect_sprite_at 500 400
  screenshot
  case "$(pixel 532 432)" in "$backdrop_rgb" | 0,0,0) fail "the sprite is not drawn where it is" ;; esac
  [ "$(pixel 501 401)" = "$backdrop_rgb" ] || fail "a transparent corner shows $(pixel 501 401)"
  close_program
  expect_config Window0 Position "500, 400"
}

# A skin with nothing to draw never leaves a window of the creation size.
unshowable_skin_no_box() {
  make_folder
  mkdir -p "$dir/skin/broken"
  head -c 300 "$dir/skin/tall/strip.png" > "$dir/skin/broken/strip.png"
  printf '[Default]\r\nFile=strip.png\r\n' > "$dir/skin/broken/skin.ini"
  printf '[Window0]\r\nSkinName=broken\r\nPosition=900, 700\r\n' > "$dir/config.ini"
  start_program
  local big
  big=$(sprites | awk '$4 > 64 || $5 > 64')
  [ -z "$big" ] || fail "a window the size of its creation is shown: $big"
  screenshot
  [ "$(pixel 640 512)" = "$backdrop_rgb" ] || fail "the middle of the screen shows $(pixel 640 512)"
  close_program
}

# Quick drags, each pressed and moved within milliseconds, land the sprite
# under the pointer every time.
drags_follow_pointer() {
  make_folder
  printf '[Window0]\r\nSkinName=tall\r\nPosition=500, 100\r\n' > "$dir/config.ini"
  start_program
  local k
  for k in 1 2 3; do
    drag 510 110 810 510
    expect_sprite_at 800 500
    drag 810 510 510 110
    expect_sprite_at 500 100
  done
  drag 510 110 610 160
  close_program
  expect_config Window0 Position "600, 150"
}

# What the user changed is on disk seconds later: a kill -9 loses nothing.
drag_saved_before_kill() {
  make_folder
  printf '[Window0]\r\nSkinName=tall\r\nPosition=500, 100\r\n' > "$dir/config.ini"
  start_program
  drag 510 110 810 510
  expect_sprite_at 800 500
  sleep 3
  kill -9 "$pid"
  wait "$pid" 2>/dev/null
  pid=""
  expect_config Window0 Position "800, 500"
}

# The control window's frame, title bar and all, starts at the screen's corner.
control_frame_on_screen() {
  make_folder
  start_program
  local extents x y
  extents=$(xprop -id "$control" _NET_FRAME_EXTENTS | sed -n 's/.* = //p' | tr -d ' ')
  IFS=, read -r left _ top _ <<<"${extents:-0,0,0,0}"
  eval "$(xwininfo -id "$control" | awk '/Absolute upper-left X/ { print "x=" $4 } /Absolute upper-left Y/ { print "y=" $4 }')"
  [ "$x,$y" = "$left,$top" ] || fail "the inside is at $x,$y with a frame of $left,$top"
  close_program
}

# A click on a sprite leaves the keyboard with the user's window, and the
# sprite is no taskbar or pager entry.
sprite_takes_no_focus() {
  make_folder
  printf '[Window0]\r\nSkinName=tall\r\nPosition=600, 400\r\n' > "$dir/config.ini"
  start_program
  local sprite
  sprite=$(sprites | awk '{ print $7 }')
  xprop -id "$sprite" WM_HINTS | grep -q 'input focus: False' || fail "the sprite takes the input focus"
  xprop -id "$sprite" _NET_WM_STATE | grep _NET_WM_STATE_SKIP_TASKBAR | grep -q _NET_WM_STATE_SKIP_PAGER ||
    fail "the sprite is listed: $(xprop -id "$sprite" _NET_WM_STATE)"
  xdotool windowactivate --sync "$control" 2>/dev/null || xdotool windowfocus --sync "$control"
  sleep 0.3
  local focused
  focused=$(xdotool getwindowfocus 2>/dev/null)
  xdotool mousemove 610 410 click 1
  sleep 0.5
  local now
  now=$(xdotool getwindowfocus 2>/dev/null)
  [ "$now" != "$sprite" ] || fail "a click gave the sprite the focus"
  # With no window manager the server's focus may fall back to the pointer.
  [ "${KITEMARU_DESKTOP:-bare}" = bare ] || [ "$now" = "$focused" ] || fail "a click moved the focus from '$focused'"
  close_program
}

# The X server ends under the program: what changed is saved all the same.
display_lost_saves() {
  make_folder
  printf '[Window2]\r\nSkinName=tall\r\nPosition=500, 100\r\n' > "$dir/config.ini"
  start_program
  drag 510 110 710 310
  [ -n "${KITEMARU_XVFB_PID:-}" ] || fail "no X server of this test to end"
  kill "$KITEMARU_XVFB_PID"
  wait_gone " with its display"
  pid=""
  [ "$(grep -c '=' "$dir/config.ini")" = 81 ] || fail "config.ini was not saved in full"
  expect_config Window2 Position "700, 300"
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

# control_state: "shown", "iconic" (minimised, as in a taskbar) or "hidden"
# (withdrawn: in the tray, no taskbar entry) for the control window.
control_state() {
  if xwininfo -id "$control" 2>/dev/null | grep -q 'Map State: IsViewable'; then
    echo shown
  elif xprop -id "$control" WM_STATE 2>/dev/null | grep -q 'state: Iconic'; then
    echo iconic
  else
    echo hidden
  fi
}

# Started with --tray beside trayer (an XEmbed tray, into which Qt docks the
# icon): the control window waits in the tray. A click on the icon shows and
# hides it, the icon's menu has the way back as its first item (access key
# C), and under a window manager a minimise puts it in the tray.
tray() {
  make_folder
  start_trayer
  LANG=C.UTF-8 LC_ALL= LANGUAGE= "$dir/kitemaru" --tray & pid=$!
  docked_icon >/dev/null || fail "no icon docked in the tray"
  sleep 1
  [ -z "$(xdotool search --onlyvisible --name '^KITE-MARU$')" ] || fail "started with --tray, the control window shows"
  mkdir -p "$shots"
  screenshot
  cp "$shot" "$shots/native-tray-icon-${KITEMARU_DESKTOP:-bare}.png"
  click_icon 1
  control=$(xdotool search --onlyvisible --name '^KITE-MARU$' | head -n 1)
  [ -n "$control" ] || fail "a click on the icon did not bring the control window"
  click_icon 1
  [ "$(control_state)" = hidden ] || fail "a second click left the control window $(control_state)"
  click_icon 3
  screenshot
  cp "$shot" "$shots/native-tray-menu-${KITEMARU_DESKTOP:-bare}.png"
  xdotool key c
  sleep 0.7
  [ "$(control_state)" = shown ] || fail "the menu's first item left the control window $(control_state)"
  if [ "${KITEMARU_DESKTOP:-bare}" != bare ]; then
    xdotool windowminimize "$control"
    sleep 0.7
    [ "$(control_state)" = hidden ] || fail "minimised, the control window is $(control_state)"
    click_icon 1
    [ "$(control_state)" = shown ] || fail "a click did not bring the minimised control window back"
  fi
  close_program
  kill "$trayer_pid"
}

# A second start of the same copy ends with 0 and puts up nothing; after a
# kill -9 of the first, the lock it held blocks no new start; a copy in
# another folder runs beside it.
one_instance() {
  make_folder
  export XDG_RUNTIME_DIR=$dir/run
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  start_program
  local first=$pid code
  timeout 20 "$dir/kitemaru"
  code=$?
  [ "$code" = 0 ] || fail "the second start ended with $code"
  [ "$(xdotool search --onlyvisible --name '^KITE-MARU$' | wc -l)" = 1 ] || fail "a second control window is up"
  compgen -G "$XDG_RUNTIME_DIR/kitemaru-*.lock" >/dev/null || fail "no lock in $XDG_RUNTIME_DIR: $(ls "$XDG_RUNTIME_DIR")"
  kill -9 "$first"
  wait "$first" 2>/dev/null
  start_program
  local other=$dir.other
  mkdir "$other"
  cp -r "$dir/kitemaru" "$dir/skin" "$other/"
  "$other/kitemaru" &
  local beside=$!
  sleep 2
  kill -0 "$beside" 2>/dev/null || fail "a copy in another folder did not run beside it"
  [ "$(xdotool search --onlyvisible --name '^KITE-MARU$' | wc -l)" = 2 ] || fail "not two control windows"
  kill -TERM "$beside"
  wait "$beside" || fail "the other copy ended with $?"
  rm -rf "$other"
  close_program
}

# open_start_at_login_item: the control menu's Settings popup, its last item
# under the keyboard.
open_start_at_login_item() {
  xdotool mousemove 160 200 click 3
  sleep 0.5
  xdotool key s
  sleep 0.5
  xdotool key Up
  sleep 0.5
}

# Settings > Start at login: an autostart entry that starts this copy, in the
# tray, and is valid; choosing it again removes the entry.
start_at_login() {
  make_folder
  export XDG_CONFIG_HOME=$dir/config
  local entry=$XDG_CONFIG_HOME/autostart/kitemaru.desktop
  start_program
  open_start_at_login_item
  xdotool key Return
  sleep 0.5
  grep -qxF "Exec=\"$dir/kitemaru\" --tray" "$entry" || fail "entry: $(cat "$entry" 2>&1)"
  desktop-file-validate "$entry" || fail "desktop-file-validate rejects the entry"
  local language
  for language in japanese english; do
    xdotool mousemove 160 200 click 3
    sleep 0.5
    xdotool key s l $([ $language = japanese ] && echo j || echo e)
    sleep 0.5
    open_start_at_login_item
    screenshot
    mkdir -p "$shots" && cp "$shot" "$shots/native-start_at_login-$language.png"
    xdotool key Escape Escape Escape
    sleep 0.5
  done
  open_start_at_login_item
  xdotool key Return
  sleep 0.5
  [ -e "$entry" ] && fail "the entry stayed after unchecking"
  close_program
}

"$1" && echo "PASS: $1" && rm -rf "$dir"
