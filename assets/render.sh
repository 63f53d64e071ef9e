#!/usr/bin/env bash
# Renders the SVG sources in assets/svg to the PNGs in assets/png that the build compiles
# in and installs. Run it after changing an SVG and commit both; the build itself never
# renders. Needs rsvg-convert (Debian package librsvg2-bin) and the DejaVu fonts
# (fonts-dejavu-core), which the banners' text is set in.
set -euo pipefail
cd "$(dirname "$0")"

command -v rsvg-convert >/dev/null || {
  echo "rsvg-convert not found: apt-get install librsvg2-bin" >&2
  exit 1
}

mkdir -p png
rsvg-convert -w 600 -h 160 svg/banner_top.svg -o png/banner_top.png
rsvg-convert -w 347 -h 67 svg/banner_support.svg -o png/banner_support.png
# 16 px has its own simpler drawing; the larger sizes come from the full one.
rsvg-convert -w 16 -h 16 svg/icon-16.svg -o png/icon-16.png
for size in 32 48 64 128; do
  rsvg-convert -w "$size" -h "$size" svg/icon.svg -o "png/icon-$size.png"
done
# The template package file types' icon, drawn the same two ways.
rsvg-convert -w 16 -h 16 svg/package-16.svg -o png/package-16.png
for size in 32 48 64 128; do
  rsvg-convert -w "$size" -h "$size" svg/package.svg -o "png/package-$size.png"
done
echo "Rendered: $(cd png && echo *.png)"
