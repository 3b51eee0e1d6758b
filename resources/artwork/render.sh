#!/usr/bin/env bash
# Regenerates the committed pictures from their SVG sources:
#   resources/splash.png                                  from resources/artwork/splash.svg (+ the logo)
#   packaging/icons/hicolor/scalable/apps/quillet.svg     the logo on a square canvas
#   packaging/icons/hicolor/<n>x<n>/apps/quillet.png      that square logo at the usual icon sizes
#   site/quillet.svg                                      the logo for the product web pages
# Needs rsvg-convert (librsvg2-bin), ImageMagick's convert and the DejaVu fonts.
# Run it after changing resources/quillet.svg or resources/artwork/splash.svg, and commit the results.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
logo="$root/resources/quillet.svg"
icons="$root/packaging/icons/hicolor"

for tool in rsvg-convert convert; do
    command -v "$tool" >/dev/null || { cp "$logo" "$root/site/quillet.svg"

echo "render.sh: $tool is missing (apt-get install librsvg2-bin imagemagick)" >&2; exit 1; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# librsvg only loads images that lie beside or below the file it renders, so the
# splash and the logo it shows are put side by side in a scratch folder.
cp "$here/splash.svg" "$work/splash.svg"
cp "$logo" "$work/logo.svg"
rsvg-convert --width 300 --height 340 "$work/splash.svg" --output "$work/splash-rgb.png"

# The program ships the splash as an 8-bit palette PNG; -strip drops the time
# stamps so that an unchanged source gives a byte-identical file.
convert "$work/splash-rgb.png" -strip -dither None -colors 256 "PNG8:$root/resources/splash.png"

# Icon themes expect square icons: the same drawing with its view box padded
# top and bottom from 480 x 400 to 480 x 480.
mkdir -p "$icons/scalable/apps"
sed -e 's|width="480" height="400" viewBox="0 0 480 400"|width="480" height="480" viewBox="0 -40 480 480"|' \
    "$logo" >"$icons/scalable/apps/quillet.svg"
grep -q 'viewBox="0 -40 480 480"' "$icons/scalable/apps/quillet.svg" ||
    { cp "$logo" "$root/site/quillet.svg"

echo "render.sh: the logo's <svg> line changed; update the view box edit above" >&2; exit 1; }

for size in 16 32 48 64 128 256; do
    mkdir -p "$icons/${size}x${size}/apps"
    rsvg-convert --width "$size" --height "$size" "$icons/scalable/apps/quillet.svg" \
        --output "$work/icon.png"
    convert "$work/icon.png" -strip "PNG32:$icons/${size}x${size}/apps/quillet.png"
done

cp "$logo" "$root/site/quillet.svg"

echo "render.sh: splash.png and $(ls -d "$icons"/*x*/apps | wc -l) icon sizes written"
