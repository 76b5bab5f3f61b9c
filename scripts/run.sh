#!/usr/bin/env bash
# Installs what building and running need, builds the program (no tests or
# benchmarks) into build/ and starts it from its program folder: build/program,
# or the folder MOSTARIUM_HOME names.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "run.sh: Mostarium needs a desktop session (X11, or Wayland with qt6-wayland):" >&2
  echo "        neither DISPLAY nor WAYLAND_DISPLAY is set." >&2
  exit 1
fi

echo "== Checking the packages that building and running need."
scripts/install-deps.sh run

# A new build folder gets the program only; an existing one keeps its options.
options=()
if [ ! -f build/CMakeCache.txt ]; then
  options=(-DMOSTARIUM_TESTS=OFF -DMOSTARIUM_BENCH=OFF)
fi
echo "== Building the program into build/ (the first time takes a few minutes)."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} "${options[@]}" >/dev/null
cmake --build build -j"$(nproc)" --target mostarium

program=build/program
if [ -n "${MOSTARIUM_HOME:-}" ]; then
  # The user's own program folder gets what is missing and the refreshed help,
  # pictures and sounds; recipes, the style list and settings stay as they are.
  echo "== Bringing the program folder $MOSTARIUM_HOME up to date."
  cmake -DSRC="$(pwd)/resources" -DDST="$MOSTARIUM_HOME" -P cmake/AssembleProgram.cmake
  # The style database is made by the build, not copied from resources/.
  cp -f build/program/Biertypen.mdb "$MOSTARIUM_HOME/Biertypen.mdb"
  program=$MOSTARIUM_HOME
fi
echo "== Starting Mostarium; its program folder is $program."
exec build/program/mostarium "$@"
