#!/usr/bin/env bash
# Chooses the program folder the run command starts Mostarium in, brings it up
# to date from the build and prints it (progress goes to stderr):
#   scripts/program-folder.sh [build folder]      (default: build)
# The folder is MOSTARIUM_HOME when set, else the brewer's data folder
# ${XDG_DATA_HOME:-~/.local/share}/Mostarium, outside the build tree, so that
# removing the build loses nothing. What the brewer can change there (settings,
# recipes, style list, classification, water profiles, templates) is copied
# only when missing; help, pictures, sounds and tips follow resources/; the
# style database is the build's.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
assemble=$root/cmake/AssembleProgram.cmake

if [ ! -f "$build/program/Biertypen.mdb" ]; then
  echo "program-folder.sh: $build/program/Biertypen.mdb is missing; build the program first." >&2
  exit 1
fi

if [ -n "${MOSTARIUM_HOME:-}" ]; then
  folder=$MOSTARIUM_HOME
else
  data=${XDG_DATA_HOME:-}
  # A relative XDG_DATA_HOME is no valid setting and is passed over.
  case "$data" in
    /*) ;;
    *) data=${HOME:?HOME is not set}/.local/share ;;
  esac
  folder=$data/Mostarium
fi
folder=$(realpath -m -- "$folder")

# The data folder is new: the brewer's files in the build's own program folder
# (where the program keeps them when started straight from the build) come
# along first.
if [ -z "${MOSTARIUM_HOME:-}" ] && [ ! -e "$folder" ]; then
  mkdir -p -- "$folder"
  echo "== Making the program folder $folder, with the settings and recipes of $build/program." >&2
  cmake -DSRC="$(realpath -- "$build/program")" -DDST="$folder" -DONLY_USER_FILES=ON -P "$assemble" >&2
fi

mkdir -p -- "$folder" 2>/dev/null || true
if [ ! -d "$folder" ] || [ ! -w "$folder" ]; then
  echo "program-folder.sh: cannot write in the program folder $folder." >&2
  exit 1
fi
echo "== Bringing the program folder $folder up to date." >&2
cmake -DSRC="$root/resources" -DDST="$folder" -P "$assemble" >&2
# The style database is made by the build, not copied from resources/.
cmp -s "$build/program/Biertypen.mdb" "$folder/Biertypen.mdb" ||
  cp -f "$build/program/Biertypen.mdb" "$folder/Biertypen.mdb"
echo "$folder"
