#!/usr/bin/env bash
# Installs what is missing, builds everything (tests and benchmarks too) with
# warnings as errors and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
# The house style of .clang-format, on every tracked C++ file.
scripts/check-format.sh
BUILD_DIR=${BUILD_DIR:-build} scripts/build.sh -DMOSTARIUM_WERROR=ON -DMOSTARIUM_TESTS=ON -DMOSTARIUM_BENCH=ON
cd "${BUILD_DIR:-build}"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
