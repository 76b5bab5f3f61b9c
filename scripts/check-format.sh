#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what .clang-format makes of it.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang-format >/dev/null; then
  echo "check-format.sh: clang-format is missing (scripts/install-deps.sh test installs it)" >&2
  exit 1
fi
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if ! clang-format --dry-run --Werror "${files[@]}"; then
  echo "check-format.sh: run  clang-format -i \$(git ls-files '*.cpp' '*.h')  and commit the result." >&2
  exit 1
fi
echo "== Formatting: ${#files[@]} files as .clang-format has them."
