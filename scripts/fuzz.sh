#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each one on a copy of its
# seed corpus (fuzz/corpus/<target>) for FUZZ_SECONDS seconds (default 20: a smoke run). A finding
# fails the script and leaves the input that caused it in build-fuzz/findings/<target>/; replay it
# with build-fuzz/fuzz/<target> <file>. The grown corpora stay in build-fuzz/corpus/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-20}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DALMACOR_FUZZ=ON -DALMACOR_BUILD_TESTS=OFF -DALMACOR_BUILD_BENCHMARKS=OFF "$@"
cmake --build build-fuzz --target almacor_fuzz cli_fuzz
for target in almacor_fuzz cli_fuzz; do
  work=build-fuzz/corpus/$target
  findings=build-fuzz/findings/$target
  mkdir -p "$work" "$findings"
  cp fuzz/corpus/$target/* "$work"/
  echo "== $target, $seconds s"
  build-fuzz/fuzz/$target -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$findings/" "$work"
done
