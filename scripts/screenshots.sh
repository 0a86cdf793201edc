#!/usr/bin/env bash
# Screenshots of the program's windows under Xvfb with the Japanese fonts, into build/screenshots/.
# Needs a built tree (scripts/build.sh). The run uses a throw-away settings store. The README's
# picture, docs/quillon-main.png, is the main window at noon of 2024-06-21 in Tokyo (main_day.png).
set -euo pipefail
cd "$(dirname "$0")/.."
out=build/screenshots
mkdir -p "$out"
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
XDG_CONFIG_HOME=$config xvfb-run -a -s "-screen 0 1600x1200x24" \
  build/tests/quillon/main/quillon_screenshots "$out"
cp "$out/main_day.png" docs/quillon-main.png
ls "$out"
