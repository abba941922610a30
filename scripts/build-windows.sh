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

install_missing() {
    if ! command -v dpkg-query >/dev/null 2>&1 || ! command -v apt-get >/dev/null 2>&1; then
        log "this script needs Debian (dpkg-query and apt-get were not found)" >&2
        return 1
    fi
    declare -A installed=()
    local name status pkg
    while read -r name status; do
        [[ $status == installed ]] && installed[$name]=1
    done < <(dpkg-query -W -f='${Package} ${db:Status-Status}\n' "${PACKAGES[@]}" 2>/dev/null || true)
    local missing=()
    for pkg in "${PACKAGES[@]}"; do
        [[ -n ${installed[$pkg]:-} ]] || missing+=("$pkg")
    done
    if ((${#missing[@]} == 0)); then
        log "all ${#PACKAGES[@]} packages are installed"
        return 0
    fi
    local sudo=()
    if ((EUID != 0)); then
        if ! command -v sudo >/dev/null 2>&1; then
            log "not root and sudo is not installed; run this script as root" >&2
            return 1
        fi
        sudo=(sudo)
    fi
    local apt_opts=(-y -q -o DPkg::Lock::Timeout=600
        -o Dpkg::Options::=--force-confdef -o Dpkg::Options::=--force-confold)
    log "missing: ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "${apt_opts[@]}" update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get "${apt_opts[@]}" install --no-install-recommends "${missing[@]}"
    local still_missing=()
    for pkg in "${missing[@]}"; do
        status=$(dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null || true)
        [[ $status == installed ]] || still_missing+=("$pkg")
    done
    if ((${#still_missing[@]} > 0)); then
        log "still not installed: ${still_missing[*]}" >&2
        return 1
    fi
    log "installed ${#missing[@]} package(s)"
}

section "Debian packages"
install_missing

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
