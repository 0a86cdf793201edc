#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, builds, and runs the whole test suite: once on
# the Release build, once more under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --timeout 600 -j "$(nproc)"

# A short run of each fuzz target (clang, libFuzzer, ASan/UBSan) from its seed corpus.
scripts/fuzz.sh

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DALMACOR_SANITIZE=ON \
  -DALMACOR_BUILD_BENCHMARKS=OFF
cmake --build build-sanitize
LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp" \
  ctest --test-dir build-sanitize --output-on-failure --timeout 600 -j "$(nproc)"
