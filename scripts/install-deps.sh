#!/usr/bin/env bash
# Installs every Debian package the build, the program and the tests need.
set -euo pipefail
PACKAGES=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-multimedia-dev qt6-qpa-plugins
  libcurl4-openssl-dev libgtest-dev libbenchmark-dev
  python3-pyftpdlib xvfb xauth
)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
fi
