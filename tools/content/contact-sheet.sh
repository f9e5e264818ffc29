#!/usr/bin/env bash
# Lays out every texture, interface picture and map as PNG contact sheets, so
# the content can be looked at in any image viewer.
# Usage: contact-sheet.sh OUTDIR [CONTENTDIR]   (CONTENTDIR defaults to build/bin)
# Needs ImageMagick (montage, convert). With a display (or under xvfb-run) and
# orbix-tool built beside the game, the model pages are drawn too.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
out="${1:?usage: contact-sheet.sh OUTDIR [CONTENTDIR]}"
content="${2:-$here/../../build/bin}"
[ -d "$content/maps" ] || { echo "no content in $content (build first)" >&2; exit 1; }
mkdir -p "$out"
out="$(cd "$out" && pwd)"

sheet() {  # name, tile size, files...
    local name="$1" size="$2"
    shift 2
    montage -label '%t' -filter point -resize "${size}x${size}>" -geometry "${size}x${size}+6+6" \
        -background '#303030' -fill white -pointsize 11 "$@" "$out/$name.png"
    echo "$out/$name.png"
}

cd "$content"
sheet textures 128 textures/wink?.bmp textures/smile1.bmp textures/angry?.bmp textures/laught?.bmp \
    textures/cry?.bmp textures/talk?.bmp textures/pistol.bmp textures/bazooka.bmp textures/flame.bmp
# Faces as they sit on a ball: the blink frame over the body colour, then the mood.
faces=()
for mood in smile1 angry1 angry4 laught1 laught4 cry1 cry4 talk2 talk3; do
    convert -size 128x128 xc:'#5ec2f2' \
        \( textures/wink1.bmp -fill none -fuzz 0 -transparent magenta \) -composite \
        \( "textures/$mood.bmp" -transparent magenta \) -composite "$out/face-$mood.png"
    faces+=("$out/face-$mood.png")
done
sheet faces 128 "${faces[@]}"
rm -f "${faces[@]}"
sheet graphics 256 graphics/*.bmp
sheet maps 256 maps/*.bmp
if [ -x "$content/orbix-tool" ] && [ -n "${DISPLAY:-}" ]; then
    "$content/orbix-tool" sheet "$out" 2> /dev/null | grep '^wrote' || echo "model pages failed" >&2
else
    echo "no display or no orbix-tool: model pages skipped" >&2
fi
