#!/usr/bin/env bash
# Builds the Windows program and its tests (scripts/build-windows.sh) and runs
# every Windows test under Wine: the unit tests (label unit), the Win32
# backend's tests on Wine's desktop (win32) and the program test (program).
# They run in a private X session (Xvfb + openbox, scripts/lib/x-session.sh)
# and in a Wine prefix made fresh under /tmp for this run and removed after.
# Exits with ctest's status.
#
# Usage: scripts/test-windows.sh [--startup-time [RUNS]] [-- CTEST-ARGS...]
#   --startup-time   after the tests, time the program from its start to the
#                    end of loading, RUNS times (default 7), and print figures
#   -- ARGS          passed on to ctest, e.g. `scripts/test-windows.sh -- -L unit`
# Environment:
#   RASTERBLICK_JOBS=N         build and test jobs (default 2)
#   RASTERBLICK_USE_DISPLAY=1  use the caller's DISPLAY instead of starting Xvfb
#   RASTERBLICK_KEEP_PREFIX=1  keep the Wine prefix (its path is printed)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

startup_runs=0
ctest_args=()
while (($# > 0)); do
    case $1 in
    --startup-time)
        startup_runs=7
        if [[ ${2:-} =~ ^[0-9]+$ ]]; then
            startup_runs=$2
            shift
        fi
        ;;
    --)
        shift
        ctest_args=("$@")
        break
        ;;
    -h | --help)
        sed -n '2,18p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//'
        exit 0
        ;;
    *)
        echo "test-windows.sh: unknown argument: $1 (try --help)" >&2
        exit 2
        ;;
    esac
    shift
done

jobs=${RASTERBLICK_JOBS:-2}
build_dir="$root/build/win64"

section() { printf '\n==== %s ====\n' "$*"; }
seconds_since() { echo $((SECONDS - $1)); }

# shellcheck source=scripts/lib/x-session.sh
source "$root/scripts/lib/x-session.sh"

# shellcheck source=scripts/lib/wine-prefix.sh
source "$root/scripts/lib/wine-prefix.sh"

cleanup() {
    rb_wine_prefix_stop
    rb_x_session_stop
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

started=$SECONDS
section "Build (scripts/build-windows.sh)"
# Wine, and the X session and tools of the program test, go along.
bash "$root/scripts/build-windows.sh" wine wine64 xvfb xauth openbox xdotool x11-utils dbus \
    python3-xlib
echo "build: $(seconds_since "$started") s"

section "Wine prefix"
step=$SECONDS
rb_wine_prefix_start
echo "WINEPREFIX=$WINEPREFIX ($(du -sh "$WINEPREFIX" | cut -f1), $(seconds_since "$step") s)"

section "X session"
rb_x_session_start
echo "DISPLAY=$DISPLAY"
# One wineserver for the whole run: every test program meets it warm.
wineserver -p

section "Tests (win64)"
status=0
ctest --preset win64 --parallel "$jobs" "${ctest_args[@]}" || status=$?

if ((startup_runs > 0)); then
    section "Start-up time under Wine"
    /usr/bin/python3 "$root/tests/win32/startup_time.py" "$build_dir/rasterblick.exe" \
        "$build_dir/tests/win32/window_reader.exe" "$startup_runs" || status=$?
fi

exit "$status"
