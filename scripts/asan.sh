#!/usr/bin/env bash
# Builds every test with AddressSanitizer and UndefinedBehaviorSanitizer in a
# build folder of its own (build-asan, or $ASAN_BUILD_DIR) and runs them all.
# Any finding fails its test.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${ASAN_BUILD_DIR:-build-asan}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMOSTARIUM_SANITIZE=ON -DMOSTARIUM_WERROR=ON -DMOSTARIUM_TESTS=ON -DMOSTARIUM_BENCH=OFF
cmake --build "$BUILD_DIR" -j"${JOBS:-$(nproc)}"

# Leak checking is on: the suite runs offscreen and leaks nothing today, so
# a new leak fails its test.
export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$BUILD_DIR"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"${JOBS:-$(nproc)}"
