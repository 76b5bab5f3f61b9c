#!/usr/bin/env bash
# Installs the Debian packages one purpose needs, and only those:
#   scripts/install-deps.sh run    building and running the program
#   scripts/install-deps.sh test   also the tests and benchmarks (the default)
#   scripts/install-deps.sh ci     also clang for the fuzz target
set -euo pipefail

RUN_PACKAGES=(
  cmake ninja-build g++
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-multimedia-dev qt6-qpa-plugins
  qt6-translations-l10n libcurl4-openssl-dev
  fonts-crosextra-carlito
)
# A Wayland session needs Qt's Wayland platform plugin.
if [ -n "${WAYLAND_DISPLAY:-}" ]; then RUN_PACKAGES+=(qt6-wayland); fi
TEST_PACKAGES=(libgtest-dev libbenchmark-dev python3-pyftpdlib xvfb xauth locales libxml2-utils unrtf poppler-utils clang-format chromium)
FUZZ_PACKAGES=(clang libclang-rt-14-dev)

purpose=${1:-test}
case "$purpose" in
  run) PACKAGES=("${RUN_PACKAGES[@]}") ;;
  test) PACKAGES=("${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}") ;;
  ci) PACKAGES=("${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}") ;;
  *)
    echo "install-deps.sh: unknown purpose '$purpose' (use run, test or ci)" >&2
    exit 2
    ;;
esac

# Installing needs root. Another account runs this script again through sudo,
# once, saying why; without sudo it says how to do it as root.
self=$(realpath -- "$0")
need_root() {
  if [ "$(id -u)" -eq 0 ]; then
    return
  fi
  if ! command -v sudo >/dev/null; then
    echo "install-deps.sh: $1 needs root, and sudo is not installed:" >&2
    echo "                 run  su -c '$self $purpose'  and then this command again." >&2
    exit 1
  fi
  echo "== ${1^} needs root, so this step goes on through sudo."
  exec sudo -- env WAYLAND_DISPLAY="${WAYLAND_DISPLAY:-}" "$self" "$purpose"
}

# An installation that is still running is waited for, not taken for an
# interrupted one.
dpkg_busy() { lslocks -n -o PATH 2>/dev/null | grep -q '^/var/lib/dpkg/lock'; }
if dpkg_busy; then
  echo "== Another package installation is running; waiting for it to finish."
  for _ in $(seq 600); do
    dpkg_busy || break
    sleep 1
  done
fi

# An interrupted apt-get leaves dpkg half-way, and every later apt-get fails
# until the interrupted work is finished.
dpkg_interrupted() {
  [ -n "$(ls -A /var/lib/dpkg/updates 2>/dev/null)" ] || [ -n "$(dpkg --audit 2>/dev/null || true)" ]
}
if ! dpkg_busy && dpkg_interrupted; then
  need_root "finishing an interrupted package installation"
  echo "== An earlier package installation was interrupted; finishing it first."
  export DEBIAN_FRONTEND=noninteractive
  dpkg --configure -a
  apt-get -o DPkg::Lock::Timeout=600 install -f -y
fi

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  need_root "installing the missing packages (${missing[*]})"
  echo "== Installing ${#missing[@]} missing packages and what they depend on (the first time only; a few minutes):"
  echo "   ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get -o DPkg::Lock::Timeout=600 update
  apt-get -o DPkg::Lock::Timeout=600 install -y --no-install-recommends "${missing[@]}"
fi

# The core tests run once under a decimal-comma locale, which must exist.
if [ "$purpose" != run ] && ! locale -a 2>/dev/null | grep -qix 'nl_NL\.utf-\?8'; then
  need_root "generating the missing nl_NL.UTF-8 locale"
  echo "== Generating the nl_NL.UTF-8 locale for the tests."
  sed -i 's/^# *\(nl_NL\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^nl_NL\.UTF-8 UTF-8' /etc/locale.gen || echo 'nl_NL.UTF-8 UTF-8' >>/etc/locale.gen
  locale-gen
fi
