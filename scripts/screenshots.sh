#!/usr/bin/env bash
# Screenshots of the program's windows under Xvfb with the Japanese fonts, into build/screenshots/.
# Needs a built tree (scripts/build.sh). The run uses a throw-away settings store.
set -euo pipefail
cd "$(dirname "$0")/.."
out=build/screenshots
mkdir -p "$out"
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
XDG_CONFIG_HOME=$config xvfb-run -a -s "-screen 0 1600x1200x24" build/tests/quillon/gui/quillon_screenshots "$out"
ls "$out"
