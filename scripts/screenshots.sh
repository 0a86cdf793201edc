#!/usr/bin/env bash
# Screenshots of the program's windows under Xvfb with the Japanese fonts, into build/screenshots/.
# Needs a built tree (scripts/build.sh). The run uses a throw-away settings store. The README's
# picture, docs/quillon-main.png, and the help's main_window.png are the main window at noon of
# 2024-06-21 in Tokyo (main_day.png); the help pages of the simulation views show each view at
# 432 × 432.
set -euo pipefail
cd "$(dirname "$0")/.."
out=build/screenshots
mkdir -p "$out"
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
XDG_CONFIG_HOME=$config xvfb-run -a -s "-screen 0 1600x1200x24" \
  build/quillon/screenshots/quillon_screenshots "$out"
cp "$out/main_day.png" docs/quillon-main.png
help=quillon/resources/help
cp "$out/main_day.png" "$help/main_window.png"
for view in 00:sky_view 01:zenith_chart 02:panorama 04:heliocentric 05:geocentric 06:earth_moon \
            08:solar_eclipse 09:lunar_eclipse 11:stick_shadow 12:sundial; do
  cp "$out/view${view%%:*}_432x432.png" "$help/${view#*:}.png"
done
# The month calendar as printed: the year 2033 (閏11月) as PDF, each page at 100 dpi.
build/quillon/main/quillon --year 2033 --format pdf --output "$out/koyomi_2033.pdf"
pdftoppm -png -r 100 "$out/koyomi_2033.pdf" "$out/koyomi_2033_page"
ls "$out"
