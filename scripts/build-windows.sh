#!/usr/bin/env bash
# Installs what is missing and cross-builds RASTERBLICK for 64-bit Windows (the
# `win64` preset: mingw-w64, the Win32 backend, one statically linked
# build/win64/rasterblick.exe), with its tests. Prints the program's size and
# the DLLs it needs; fails when it needs one that Windows does not bring.
#
# Usage: scripts/build-windows.sh [EXTRA-PACKAGE...]
#   Extra Debian packages to install along (scripts/test-windows.sh passes Wine
#   and the X tools).
# Environment: RASTERBLICK_JOBS=N build jobs (default 2)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

# What the Windows build needs (one group per line).
PACKAGES=(
    # build tools, formatter
    cmake ninja-build python3 clang-format
    # the cross compiler and binutils (windres, objdump, strip)
    g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
    # GoogleTest's sources, built with the cross compiler
    libgtest-dev
)
PACKAGES+=("$@")

jobs=${RASTERBLICK_JOBS:-2}
build_dir="$root/build/win64"

log() { printf 'build-windows: %s\n' "$*"; }
section() { printf '\n==== %s ====\n' "$*"; }

section "Debian packages"
# shellcheck source=scripts/lib/debian-packages.sh
source "$root/scripts/lib/debian-packages.sh"
rb_install_packages build-windows "${PACKAGES[@]}"

section "Configure (win64)"
cmake --preset win64

section "Build (win64, $jobs jobs)"
cmake --build --preset win64 --parallel "$jobs"

section "The program"
exe="$build_dir/rasterblick.exe"
if [[ ! -f $exe ]]; then
    log "the program was not built: $exe is missing" >&2
    exit 1
fi
size=$(stat -c %s "$exe")
printf '%s: %d bytes (%d KiB)\n' "$exe" "$size" $(((size + 512) / 1024))
dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | sort -f)
echo "DLLs it needs:"
printf '  %s\n' $dlls
# The DLLs of Windows itself; anything else (libstdc++-6.dll, libgcc_s_seh-1.dll,
# libwinpthread-1.dll, ...) would have to be shipped along.
foreign=$(printf '%s\n' $dlls | grep -viE '^(kernel32|user32|gdi32|comctl32|shell32|ole32|msvcrt|advapi32)\.dll$' || true)
if [[ -n $foreign ]]; then
    log "the program needs DLLs that Windows does not bring: $foreign" >&2
    exit 1
fi
