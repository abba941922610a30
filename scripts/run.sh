#!/usr/bin/env bash
# Installs what is missing, builds the `release` preset and starts RASTERBLICK
# on the current display.
#
# Usage: scripts/run.sh
# Environment: RASTERBLICK_JOBS=N build jobs (default 2)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

jobs=${RASTERBLICK_JOBS:-2}
build_dir="$root/build/release"

section() { printf '\n==== %s ====\n' "$*"; }

section "Debian packages"
bash "$root/scripts/setup-debian.sh"

section "Configure (release)"
cmake --preset release

section "Build (release, target rasterblick, $jobs jobs)"
cmake --build --preset release --parallel "$jobs" --target rasterblick
program="$build_dir/rasterblick"

if [[ ! -x $program ]]; then
    echo "run.sh: the program was not built: $program is missing" >&2
    exit 1
fi

if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
    echo "run.sh: built $program, but there is no display (DISPLAY and WAYLAND_DISPLAY are unset); run it from a desktop session." >&2
    exit 1
fi

section "Start"
echo "$program"
exec "$program"
