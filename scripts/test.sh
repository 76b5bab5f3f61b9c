#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
BUILD_DIR=${BUILD_DIR:-build} scripts/build.sh -DMOSTARIUM_WERROR=ON
cd "${BUILD_DIR:-build}"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
