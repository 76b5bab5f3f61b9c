#!/usr/bin/env bash
# Run as the brewer's own account: installs what building and running need
# (through sudo, only when something is missing), builds the program (no tests
# or benchmarks) into build/ and starts it in the brewer's program folder
# (scripts/program-folder.sh: MOSTARIUM_HOME, else ~/.local/share/Mostarium).
# Started as root through sudo, it installs as root and then builds and starts
# the program as the user who called sudo.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
# A recipe named on the command line is named from where the command was given.
caller=${MOSTARIUM_RUN_CALLER:-$PWD}
# A relative MOSTARIUM_HOME names a folder seen from where the command was given.
if [ -n "${MOSTARIUM_HOME:-}" ]; then
  MOSTARIUM_HOME=$(realpath -m -- "$MOSTARIUM_HOME")
  export MOSTARIUM_HOME
fi
cd "$here"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "run.sh: Mostarium needs a desktop session (X11, or Wayland with qt6-wayland):" >&2
  echo "        neither DISPLAY nor WAYLAND_DISPLAY is set." >&2
  if [ -n "${SUDO_USER:-}" ]; then
    echo "        sudo does not pass WAYLAND_DISPLAY on: start this from your own account." >&2
  fi
  exit 1
fi

# (MOSTARIUM_RUN_PACKAGES_CHECKED and MOSTARIUM_RUN_CALLER are set by this
# script when it hands over from root to the user.)
if [ -z "${MOSTARIUM_RUN_PACKAGES_CHECKED:-}" ]; then
  echo "== Checking the packages that building and running need."
  scripts/install-deps.sh run
fi

if [ "$(id -u)" -eq 0 ]; then
  user=${SUDO_USER:-}
  if [ -n "$user" ] && [ "$user" != root ]; then
    # A desktop program started as root cannot open a web page (the browser
    # refuses to run as root) and often cannot reach the user's session.
    echo "== Building and starting Mostarium as $user, not as root."
    if [ -n "$(find build ! -user "$user" -print -quit 2>/dev/null)" ]; then
      echo "== Handing build/ over to $user."
      chown -R -- "$user": build
    fi
    uid=$(id -u "$user")
    home=$(getent passwd "$user" | cut -d: -f6)
    session=(MOSTARIUM_RUN_PACKAGES_CHECKED=1 MOSTARIUM_RUN_CALLER="$caller")
    # The user's session bus, which sudo does not pass on.
    if [ -d "/run/user/$uid" ]; then
      session+=(XDG_RUNTIME_DIR="/run/user/$uid")
      if [ -S "/run/user/$uid/bus" ]; then session+=(DBUS_SESSION_BUS_ADDRESS="unix:path=/run/user/$uid/bus"); fi
    fi
    # A data folder of root's is none of the user's.
    case "${XDG_DATA_HOME:-}" in
      "$home"/*) ;;
      *) session=(-u XDG_DATA_HOME "${session[@]}") ;;
    esac
    exec runuser -u "$user" -- env "${session[@]}" "$here/scripts/run.sh" "$@"
  fi
  echo "run.sh: warning: Mostarium starts as root; start this command from your own account" >&2
  echo "        instead (it uses sudo for the packages): as root it cannot open a web page." >&2
fi

# A build folder that root made (an earlier run as root) cannot be built in.
if [ "$(id -u)" -ne 0 ] && [ -n "$(find build ! -user "$(id -u)" -print -quit 2>/dev/null)" ]; then
  echo "run.sh: build/ holds files of another account (an earlier run as root)." >&2
  echo "        Run  sudo scripts/run.sh  once, which hands build/ over to you, or remove it:" >&2
  echo "        sudo rm -rf build" >&2
  exit 1
fi

# A new build folder gets the program only; an existing one keeps its options.
options=()
if [ ! -f build/CMakeCache.txt ]; then
  options=(-DMOSTARIUM_TESTS=OFF -DMOSTARIUM_BENCH=OFF)
fi
echo "== Building the program into build/ (the first time takes a few minutes)."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} "${options[@]}" >/dev/null
cmake --build build -j"$(nproc)" --target mostarium

program=$(scripts/program-folder.sh build)
echo "== Starting Mostarium; its program folder is $program."
export MOSTARIUM_HOME=$program
args=()
for a in "$@"; do
  case "$a" in
    /*) args+=("$a") ;;
    *) args+=("$caller/$a") ;;
  esac
done
# The program works in its program folder, so nothing it proposes to write
# lands in the repository.
cd "$program"
exec "$here/build/program/mostarium" "${args[@]}"
