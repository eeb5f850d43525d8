# What the end-to-end scenarios of both builds share: the test skins,
# reading config.ini and the screen, and the scenarios that read the same on
# both. The sourcing script sets dir and shot and defines how it drives the
# program: fail, make_folder, start_program, close_program, sprites and
# editors (a line "sprite|editor X Y W H topmost|normal ..." a window),
# double_click X Y on a sprite, and focus_editor before keys are typed.

# make_test_skins FOLDER: "plain" (64 x 64, 2 frames, every pixel red 200
# green 100 blue 50 at alpha 128) and "tall" (48 x 96, 1 frame, opaque).
make_test_skins() {
  mkdir -p "$1/plain" "$1/tall"
  convert -size 64x128 'xc:rgba(200,100,50,0.502)' -define png:color-type=6 "$1/plain/strip.png"
  printf '[Default]\r\nFile=strip.png\r\nAnimationFrame=2\r\nAnimationWait=100\r\n' > "$1/plain/skin.ini"
  convert -size 48x96 'xc:rgb(30,160,90)' -define png:color-type=6 "$1/tall/strip.png"
  printf '[Default]\r\nFile=strip.png\r\n' > "$1/tall/skin.ini"
}

# config_value SECTION KEY
config_value() {
  awk -v section="[$1]" -v key="$2" '
    { sub(/\r$/, "") }
    /^\[/ { inside = ($0 == section); next }
    inside && index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }
  ' "$dir/config.ini"
}

expect_config() {
  local got
  got=$(config_value "$1" "$2")
  [ "$got" = "$3" ] || fail "config.ini [$1] $2 is '$got', expected '$3'"
}

# units PIXELS SIZE: 65535 * PIXELS / SIZE rounded away from zero, the units
# the program stores for a position or a length so that they read back as it.
units() {
  if [ "$1" -lt 0 ]; then
    echo $((-((-$1 * 65535 + $2 - 1) / $2)))
  else
    echo $((($1 * 65535 + $2 - 1) / $2))
  fi
}

# expect_range_of X Y W H: Window0's saved move range is that editor rectangle
# on the 1280 x 1024 screen; the right and bottom edges are stored through the size.
expect_range_of() {
  local left top
  left=$(units "$1" 1280)
  top=$(units "$2" 1024)
  expect_config Window0 MoveRangeLeft "$left"
  expect_config Window0 MoveRangeTop "$top"
  expect_config Window0 MoveRangeRight "$((left + $(units "$3" 1280)))"
  expect_config Window0 MoveRangeBottom "$((top + $(units "$4" 1024)))"
}

screenshot() { import -window root "$shot"; }

# frame_origin WINDOW: "X Y" of the window manager's frame around it (the
# window itself where there is no frame).
frame_origin() {
  local X Y extents
  # xdotool's own geometry counts a reparented window's frame twice.
  X=$(xwininfo -id "$1" | sed -n 's/.*Absolute upper-left X: *//p')
  Y=$(xwininfo -id "$1" | sed -n 's/.*Absolute upper-left Y: *//p')
  extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p' | tr -d ' ')
  [ -n "$extents" ] || extents=0,0,0,0
  IFS=, read -r left _ top _ <<<"$extents"
  echo "$((X - left)) $((Y - top))"
}

# pixel X Y: "R,G,B" of the last screenshot.
pixel() {
  convert "$shot" -format '%[fx:int(255*p{'"$1,$2"'}.r+0.5)],%[fx:int(255*p{'"$1,$2"'}.g+0.5)],%[fx:int(255*p{'"$1,$2"'}.b+0.5)]' info:
}

# count_colour X Y W H "#RRGGBB": pixels of exactly that colour in the region.
count_colour() {
  convert "$shot" -crop "$3x$4+$1+$2" +repage -fill black +opaque "$5" -fill white -opaque "$5" \
    -format '%[fx:int(mean*w*h+0.5)]' info:
}

# Black client area with the white header and the grey status lines; the
# first save writes every key, in order.
first_start() {
  make_folder
  start_program
  screenshot
  local white grey
  white=$(count_colour 0 0 320 240 '#FFFFFF')
  grey=$(count_colour 0 0 320 240 '#C4C4C4')
  [ "$white" -gt 40 ] || fail "no white header text ($white pixels)"
  [ "$grey" -gt 100 ] || fail "no grey status text ($grey pixels)"
  [ "$(count_colour 0 120 320 100 '#000000')" -gt 20000 ] || fail "client area is not black"
  close_program
  [ "$(grep -c '=' "$dir/config.ini")" = 81 ] || fail "config.ini does not hold 81 keys"
  local keys expected=FPS slot
  keys=$(grep -o '^[A-Za-z]*=' "$dir/config.ini" | tr -d '=' | tr '\n' ' ')
  for slot in 0 1 2 3 4 5 6 7 8 9; do
    expected="$expected MoveRangeLeft MoveRangeTop MoveRangeRight MoveRangeBottom TopMost SkinName MoveMethod Position"
  done
  [ "$keys" = "$expected " ] || fail "keys out of order: $keys"
  expect_config General FPS 30
  expect_config Window9 Position ""
}

sprites_restore() {
  make_folder
  printf '[Window0]\r\nSkinName=plain\r\nPosition=400, 300\r\n[Window4]\r\nSkinName=tall\r\nPosition=700, 500\r\nTopMost=5\r\n[Window2]\r\nSkinName=missing\r\n' > "$dir/config.ini"
  start_program
  local listed
  listed=$(sprites)
  grep -q 'sprite 400 300 64 64' <<<"$listed" || fail "plain not restored: $listed"
  grep -q 'sprite 700 500 48 96 topmost' <<<"$listed" || fail "tall not restored: $listed"
  screenshot
  # Premultiplied as (c * a) >> 8: (200, 100, 50) at alpha 128 shows as
  # (100, 50, 25) over nothing, and opaque (30, 160, 90) as (29, 159, 89);
  # a compositing manager blends the first over the backdrop instead.
  local plain=100,50,25
  [ "${KITEMARU_DESKTOP:-}" = xcompmgr ] && plain=116,82,89
  [ "$(pixel 430 330)" = "$plain" ] || fail "plain pixel is $(pixel 430 330)"
  [ "$(pixel 720 520)" = "29,159,89" ] || fail "tall pixel is $(pixel 720 520)"
  close_program
  expect_config Window0 Position "400, 300"
  expect_config Window4 TopMost 1
  expect_config Window2 SkinName missing  # kept for when the skin comes back
}

# A double-click opens the range editor on the default range, the middle
# half of 1280 x 1024; arrows move it, with Shift they size it, Ctrl makes
# the step 8, End 16 (32 with Ctrl); Enter keeps it. The sprite stays clear of the control window, which a
# window manager may stack above it.
range_editor() {
  make_folder
  printf '[Window0]\r\nSkinName=plain\r\nPosition=400, 600\r\n' > "$dir/config.ini"
  start_program
  double_click 410 610
  sleep 0.7
  grep -q 'editor 319 255 640 512' <<<"$(editors)" || fail "editor placed at: $(editors)"
  screenshot
  focus_editor
  xdotool key --delay 60 Right Down shift+Right shift+Right ctrl+Down shift+ctrl+End
  sleep 0.5
  grep -q 'editor 320 264 674 512' <<<"$(editors)" || fail "editor after keys: $(editors)"
  xdotool key Return
  sleep 0.5
  [ -z "$(editors)" ] || fail "the editor stayed open after Enter"
  close_program
  expect_range_of 320 264 674 512
}

# The sprite drifts inside its move range, (300, 200)-(900, 700) on the
# 1280 x 1024 screen; `sprites` lists "sprite X Y W H" for each sprite.
drift() {
  make_folder
  printf '[Window0]\r\nSkinName=plain\r\nMoveMethod=1\r\nMoveRangeLeft=15300\r\nMoveRangeTop=12600\r\nMoveRangeRight=45900\r\nMoveRangeBottom=44100\r\n' > "$dir/config.ini"
  start_program
  local seen="" i x y
  for i in 1 2 3 4 5 6; do
    read -r _ x y _ <<<"$(sprites | head -n 1)"
    [ -n "$x" ] || fail "no sprite"
    # Inside the range, give or take one step of at most 99 units (2 pixels).
    [ "$x" -ge 297 ] && [ "$((x + 64))" -le 903 ] || fail "x $x outside the move range"
    [ "$y" -ge 197 ] && [ "$((y + 64))" -le 703 ] || fail "y $y outside the move range"
    seen="$seen $x,$y"
    sleep 0.4
  done
  [ "$(tr ' ' '\n' <<<"$seen" | sort -u | grep -c .)" -gt 2 ] || fail "the sprite did not move: $seen"
  close_program
}

# Places 1 and 2 have never held a sprite (no Position): their sprites appear
# across the middle of the 1280 x 1024 screen, clear of the control window,
# of the sprite saved in the middle (608, 480, 64 x 64) and of each other.
new_sprite_place() {
  make_folder
  printf '[Window0]\r\nSkinName=plain\r\nPosition=608, 480\r\n[Window1]\r\nSkinName=tall\r\n[Window2]\r\nSkinName=plain\r\n' > "$dir/config.ini"
  start_program
  local listed taken="0 0 320 240" x y w h tx ty tw th tall=""
  listed=$(sprites)
  [ "$(grep -c sprite <<<"$listed")" = 3 ] || fail "not three sprites: $listed"
  grep -q 'sprite 608 480 64 64' <<<"$listed" || fail "the saved sprite moved: $listed"
  while read -r _ x y w h _; do
    [ "$y" -le 512 ] && [ $((y + h)) -ge 512 ] || fail "sprite at $x,$y not across the middle: $listed"
    while read -r tx ty tw th; do
      [ $((x + w)) -le "$tx" ] || [ $((tx + tw)) -le "$x" ] || [ $((y + h)) -le "$ty" ] || [ $((ty + th)) -le "$y" ] ||
        fail "sprite at $x,$y overlaps $tx,$ty: $listed"
    done <<<"$taken"
    taken="$taken"$'\n'"$x $y $w $h"
    [ "$w" = 48 ] && tall="$x, $y"
  done < <(grep -v 'sprite 608 480 64 64' <<<"$listed")
  close_program
  expect_config Window1 Position "$tall"
  expect_config Window3 Position ""
}

# A skin with no strip to show stands as the program's 32 x 32 warning tile,
# red-framed and opaque, at its saved place.
broken_skin() {
  make_folder
  mkdir -p "$dir/skin/broken"
  printf '[Default]\r\nAnimationFrame=abc\r\n' > "$dir/skin/broken/skin.ini"
  printf '[Window0]\r\nSkinName=broken\r\nPosition=500, 300\r\n' > "$dir/config.ini"
  start_program
  grep -q 'sprite 500 300 32 32' <<<"$(sprites)" || fail "no tile at 500, 300: $(sprites)"
  screenshot
  [ "$(count_colour 500 300 32 32 '#E02020')" -gt 250 ] || fail "the tile at 500, 300 is not red-framed"
  close_program
  expect_config Window0 SkinName broken
}

# start_trayer: an XEmbed tray (Debian's trayer) at the screen's top right,
# as a desktop panel holds one; sets trayer_pid.
start_trayer() {
  trayer --edge top --align right --widthtype request --height 32 --expand false --transparent false \
    >/dev/null 2>&1 &
  trayer_pid=$!
  local i
  for i in $(seq 1 100); do
    xwininfo -root -tree | grep -q '"panel": ("panel" "trayer")' && return 0
    sleep 0.1
  done
  fail "trayer did not start"
}

# docked_icon: "X Y W H" of the icon docked in trayer's panel (a window of
# it at least 8 pixels a side), waiting up to 5 s for one; fails without.
docked_icon() {
  local panel icon i
  for i in $(seq 1 50); do
    panel=$(xwininfo -root -tree | awk '/"panel": \("panel" "trayer"\)/ { print $1; exit }')
    icon=$(xwininfo -id "$panel" -tree 2>/dev/null |
      sed -nE 's/.* ([0-9]+)x([0-9]+)[+-]-?[0-9]+[+-]-?[0-9]+ +\+(-?[0-9]+)\+(-?[0-9]+)$/\3 \4 \1 \2/p' |
      awk '$3 >= 8 && $4 >= 8 { print; exit }')
    [ -n "$icon" ] && echo "$icon" && return 0
    sleep 0.1
  done
  return 1
}

# click_icon BUTTON: a click in the middle of the docked icon.
click_icon() {
  local x y w h
  read -r x y w h <<<"$(docked_icon)" || fail "no icon docked in the tray"
  [ -n "$w" ] || fail "no icon docked in the tray"
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) click "$1"
  sleep 0.7
}
