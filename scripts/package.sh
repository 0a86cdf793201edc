#!/usr/bin/env bash
# Builds the Debian packages as a distribution would: a clean build in build-deb/ with the
# compiler and linker flags of dpkg-buildflags (hardening: fortify, stack protector, relro,
# -z now), stripped binaries, then lintian on every package. The .deb files are left in
# build-deb/packages/. Extra arguments go to cmake's configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
# dpkg-buildflags puts the preprocessor's flags apart; CMake reads them from CXXFLAGS.
export CXXFLAGS="$CPPFLAGS $CXXFLAGS"
rm -rf build-deb
cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=None -DALMACOR_BUILD_TESTS=OFF \
  -DALMACOR_BUILD_BENCHMARKS=OFF "$@"
cmake --build build-deb
cpack -G DEB --config build-deb/CPackConfig.cmake -B build-deb/packages
rm -rf build-deb/packages/_CPack_Packages
lintian --fail-on error,warning --info --display-info build-deb/packages/*.deb
