#!/usr/bin/env bash
# Installs what is missing, builds and runs every test of both programs:
#   1. the `dev` preset (all labels),
#   2. the `asan` preset (AddressSanitizer, UndefinedBehaviorSanitizer, leak
#      checking), the same tests again,
#   3. the Windows program and its tests under Wine (scripts/test-windows.sh),
#   4. the Debian package, made and checked (scripts/package.sh), and after
#      part 3 the Windows zip (scripts/package-windows.sh).
# The gui tests run in a private X session (Xvfb + openbox + session bus +
# AT-SPI) that this script starts and stops. Exits non-zero if any part failed.
#
# Usage: scripts/test.sh [--no-asan] [--no-windows] [--no-package] [-- CTEST-ARGS...]
#   --no-asan      leave out part 2
#   --no-windows   leave out part 3 (and the Windows zip)
#   --no-package   leave out part 4
#   -- ARGS        passed on to every ctest run, e.g. `scripts/test.sh -- -L unit`
# Environment:
#   RASTERBLICK_JOBS=N         build jobs (default 2)
#   RASTERBLICK_USE_DISPLAY=1  use the caller's DISPLAY instead of starting Xvfb
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

with_asan=1
with_windows=1
with_package=1
ctest_args=()
while (($# > 0)); do
    case $1 in
    --no-asan) with_asan=0 ;;
    --no-windows) with_windows=0 ;;
    --no-package) with_package=0 ;;
    --)
        shift
        ctest_args=("$@")
        break
        ;;
    -h | --help)
        sed -n '2,19p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//'
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
rb_x_session_stop

if ((with_windows)); then
    section "Windows program (scripts/test-windows.sh)"
    windows_status=0
    bash "$root/scripts/test-windows.sh" -- "${ctest_args[@]}" || windows_status=$?
    ((status != 0)) || status=$windows_status
fi

if ((with_package)); then
    section "Debian package (scripts/package.sh)"
    package_status=0
    bash "$root/scripts/package.sh" || package_status=$?
    if ((with_windows)); then
        section "Windows zip (scripts/package-windows.sh)"
        bash "$root/scripts/package-windows.sh" || package_status=$?
    fi
    ((status != 0)) || status=$package_status
fi

section "Result"
echo "test.sh: $( ((status == 0)) && echo 'every part passed' || echo "failed (status $status)")"
exit "$status"
