#!/usr/bin/env bash
# Installs what is missing, builds the `dev` preset and runs every test (all
# labels); the gui tests run in a private X session (Xvfb + openbox + session bus +
# AT-SPI) that this script starts and stops. Exits with ctest's status.
#
# Usage: scripts/test.sh [--asan] [-- CTEST-ARGS...]
#   --asan         also build the `asan` preset and run its tests in the same X session
#   -- ARGS        passed on to ctest, e.g. `scripts/test.sh -- -L unit`
# Environment:
#   RASTERBLICK_JOBS=N         build jobs (default 2)
#   RASTERBLICK_USE_DISPLAY=1  use the caller's DISPLAY instead of starting Xvfb
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

with_asan=0
ctest_args=()
while (($# > 0)); do
    case $1 in
    --asan) with_asan=1 ;;
    --)
        shift
        ctest_args=("$@")
        break
        ;;
    -h | --help)
        sed -n '2,12p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//'
        exit 0
        ;;
    *)
        echo "test.sh: unknown argument: $1 (try --help)" >&2
        exit 2
        ;;
    esac
    shift
done

jobs=${RASTERBLICK_JOBS:-2}

section() { printf '\n==== %s ====\n' "$*"; }

# shellcheck source=scripts/lib/x-session.sh
source "$root/scripts/lib/x-session.sh"
trap rb_x_session_stop EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

section "Debian packages"
bash "$root/scripts/setup-debian.sh"

build_preset() {
    local preset=$1
    section "Configure ($preset)"
    cmake --preset "$preset"
    section "Build ($preset, $jobs jobs)"
    cmake --build --preset "$preset" --parallel "$jobs"
}

build_preset dev
if ((with_asan)); then
    build_preset asan
fi

section "X session"
rb_x_session_start
echo "DISPLAY=$DISPLAY QT_QPA_PLATFORM=$QT_QPA_PLATFORM"

run_tests() {
    local preset=$1
    section "Tests ($preset)"
    local status=0
    ctest --preset "$preset" --output-on-failure "${ctest_args[@]}" || status=$?
    return "$status"
}

status=0
run_tests dev || status=$?
if ((with_asan)); then
    asan_status=0
    run_tests asan || asan_status=$?
    ((status != 0)) || status=$asan_status
fi

# Nothing is printed after ctest's summary, so that it stays the last lines of the log.
exit "$status"
