#!/usr/bin/env bash
# Renders the apparent-distance, angle-conversion and version windows to PNGs in
# build/screenshots/tools under a virtual X display with the Japanese fonts.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target quillon_tools_screenshots
out=build/screenshots/tools
mkdir -p "$out"
xvfb-run -a -s "-screen 0 1280x1024x24" build/tests/quillon/tools/quillon_tools_screenshots "$out"
