# What the end-to-end scenarios of both builds share: the test skins, and
# reading config.ini and the screen. The sourcing script sets dir and shot
# and defines fail.

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
