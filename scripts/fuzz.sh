#!/usr/bin/env bash
# Builds the recipe-reader fuzz target with clang in its own build folder and
# runs it for at most 60 seconds on the sample recipes. Fails on a crash.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${FUZZ_BUILD_DIR:-build-fuzz}
SECS=${FUZZ_SECONDS:-60}
if [ "$SECS" -gt 60 ]; then SECS=60; fi

cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DMOSTARIUM_FUZZ=ON -DMOSTARIUM_TESTS=OFF -DMOSTARIUM_BENCH=OFF
cmake --build "$BUILD_DIR" -j4 --target fuzz_recipe_reader

corpus="$BUILD_DIR/fuzz-corpus"
mkdir -p "$corpus"
cp resources/Recepten/*.zlv "$corpus"/
cd "$BUILD_DIR"
exec ./fuzz/fuzz_recipe_reader -max_total_time="$SECS" -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix=./fuzz- fuzz-corpus
