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

# expect_range_of X Y W H: Window0's saved move range is that editor rectangle
# on the 1280 x 1024 screen (65535 / 1280 = 51 and 65535 / 1024 = 63 units per pixel).
expect_range_of() {
  expect_config Window0 MoveRangeLeft $((51 * $1))
  expect_config Window0 MoveRangeTop $((63 * $2))
  expect_config Window0 MoveRangeRight $((51 * ($1 + $3)))
  expect_config Window0 MoveRangeBottom $((63 * ($2 + $4)))
}

screenshot() { import -window root "$shot"; }

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
