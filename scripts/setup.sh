#!/usr/bin/env bash
# Installs every Debian 12 package the project needs to build, test and run. Safe to run again.
set -euo pipefail
# file serves the .deb's dependency scan; desktop-file-utils, appstream and lintian validate the
# desktop files and the packages;
# clang with its libFuzzer runtime builds the fuzz targets.
packages=(build-essential cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-translations-l10n fonts-noto-cjk xvfb xauth imagemagick nlohmann-json3-dev python3-icalendar
  poppler-utils
  file desktop-file-utils appstream lintian
  clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
