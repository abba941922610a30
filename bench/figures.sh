#!/usr/bin/env bash
# Prints every speed and size figure of RASTERBLICK in one run, each beside its
# target with PASS or SHORT: the region scan against its memcmp floor, the
# start-up against a bare Qt window's, CPU and memory while idle in the
# selection view, whether the frame pictures are held once, and the size of
# the Windows program. Builds the release preset into its own directory and
# measures in a private X session (Xvfb + openbox + AT-SPI). Exits 0 even when
# a figure is short; non-zero only when something could not be measured.
#
# Usage: bench/figures.sh [--runs N] [--idle-seconds S] [--wine]
#   --runs N          start-up runs of each program (default 9)
#   --idle-seconds S  length of the idle measurement (default 60)
#   --wine            also cross-build the Windows program (own build dir) and
#                     time its start-up under Wine in a fresh prefix (slow:
#                     a prefix is ~700 MB and takes a while to make)
# Environment: RASTERBLICK_JOBS=N build jobs (default 2),
#              RASTERBLICK_BENCH_BUILD=DIR (default build/bench)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

runs=9
idle_seconds=60
wine=0
while (($# > 0)); do
    case $1 in
    --runs)
        runs=$2
        shift
        ;;
    --idle-seconds)
        idle_seconds=$2
        shift
        ;;
    --wine) wine=1 ;;
    -h | --help)
        sed -n '2,17p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//'
        exit 0
        ;;
    *)
        echo "figures.sh: unknown argument: $1 (try --help)" >&2
        exit 2
        ;;
    esac
    shift
done

jobs=${RASTERBLICK_JOBS:-2}
build=${RASTERBLICK_BENCH_BUILD:-$root/build/bench}
win_build="$build-win64"

section() { printf '\n==== %s ====\n' "$*"; }

# The Windows program's cross compiler and Wine only when they are wanted.
extra=()
((wine)) && extra=(g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 wine wine64 python3-xlib)
bash "$root/scripts/setup-debian.sh" "${extra[@]}"

section "Release build ($build)"
# Configured every time, so that the build follows the preset.
cmake --preset release -B "$build" >/dev/null
cmake --build "$build" -j "$jobs" --target rasterblick region_scan_bench bare_qt_window \
    allocation_census

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

win_exe="$root/build/win64/rasterblick.exe"
wine_ms=""
if ((wine)); then
    section "Windows build ($win_build)"
    cmake --preset win64 -B "$win_build" >/dev/null
    cmake --build "$win_build" -j "$jobs" --target rasterblick window_reader
    win_exe="$win_build/rasterblick.exe"

    section "Start-up under Wine"
    rb_wine_prefix_start
    rb_x_session_start
    wineserver -p
    wine_out=$(/usr/bin/python3 "$root/tests/win32/startup_time.py" "$win_exe" \
        "$win_build/tests/win32/window_reader.exe" "$runs")
    echo "$wine_out"
    wine_ms=$(sed -n 's/.*median \([0-9.]*\) ms.*/\1/p' <<<"$wine_out")
    # Wine's processes would take their share of the native figures' machine.
    rb_wine_prefix_stop
    unset WINEPREFIX
else
    rb_x_session_start
fi

# The X server's CPU is counted beside the program's while idle: it paints.
if ((RB_X_OWN_X)); then
    export RB_BENCH_X_PID=${RB_X_PIDS[0]}
fi
args=(--build "$build" --runs "$runs" --idle-seconds "$idle_seconds" --win64-exe "$win_exe")
[[ -n $wine_ms ]] && args+=(--wine-startup-ms "$wine_ms")
/usr/bin/python3 "$root/bench/figures.py" "${args[@]}"
