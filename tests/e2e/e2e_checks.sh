# What the end-to-end scenarios of both builds share: the test skins,
# reading config.ini and the screen, and the scenarios that read the same on
# both. The sourcing script sets dir and shot and defines fail, make_folder,
# start_program, close_program and sprites.

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
