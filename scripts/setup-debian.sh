#!/usr/bin/env bash
# Installs every Debian 12 package that building RASTERBLICK, running it and
# running all of its tests need. Installs only what is missing, so a second run
# is quick and changes nothing. Extra package names may be given as arguments.
#
# Usage: scripts/setup-debian.sh [EXTRA-PACKAGE...]
set -euo pipefail

# The one list of packages. Add new ones here (one group per line).
PACKAGES=(
    # compiler, build tools, formatter
    build-essential cmake ninja-build pkg-config clang-format
    # test and benchmark frameworks
    libgtest-dev libgmock-dev libbenchmark-dev
    # Qt 6 backend
    qt6-base-dev qt6-base-dev-tools libgl-dev
    # X11 / XCB calls made by the Qt backend and by the gui tests
    libx11-dev libxext-dev libxtst-dev libxcb1-dev libxcb-shape0-dev libx11-xcb-dev
    # X session for the gui tests: virtual server, window manager, X tools, screenshots
    xvfb xauth openbox xdotool wmctrl x11-utils x11-xserver-utils imagemagick
    # session bus and accessibility (AT-SPI) for the accessibility tests
    dbus dbus-x11 at-spi2-core python3 python3-pyatspi python3-gi
    # a font that is always there, so text renders the same everywhere
    fonts-dejavu-core
    # X-Resource extension client library: the soak test counts the program's X resources
    libxres-dev
)
PACKAGES+=("$@")

log() { printf 'setup-debian: %s\n' "$*"; }

if ! command -v dpkg-query >/dev/null 2>&1 || ! command -v apt-get >/dev/null 2>&1; then
    log "this script needs Debian (dpkg-query and apt-get were not found)" >&2
    exit 1
fi

# Which of the packages are not installed? One dpkg-query call for all of them.
declare -A installed=()
while read -r name status; do
    [[ $status == installed ]] && installed[$name]=1
done < <(dpkg-query -W -f='${Package} ${db:Status-Status}\n' "${PACKAGES[@]}" 2>/dev/null || true)

missing=()
for pkg in "${PACKAGES[@]}"; do
    [[ -n ${installed[$pkg]:-} ]] || missing+=("$pkg")
done

if ((${#missing[@]} == 0)); then
    log "all ${#PACKAGES[@]} packages are installed"
    exit 0
fi

SUDO=()
if ((EUID != 0)); then
    if ! command -v sudo >/dev/null 2>&1; then
        log "not root and sudo is not installed; run this script as root" >&2
        exit 1
    fi
    SUDO=(sudo)
fi

export DEBIAN_FRONTEND=noninteractive
APT_OPTS=(-y -q -o DPkg::Lock::Timeout=600
    -o Dpkg::Options::=--force-confdef -o Dpkg::Options::=--force-confold)

log "missing: ${missing[*]}"
log "apt-get update"
"${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "${APT_OPTS[@]}" update
log "apt-get install"
"${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get "${APT_OPTS[@]}" install --no-install-recommends "${missing[@]}"

# Check that everything really is there now.
still_missing=()
for pkg in "${missing[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null || true)
    [[ $status == installed ]] || still_missing+=("$pkg")
done
if ((${#still_missing[@]} > 0)); then
    log "still not installed: ${still_missing[*]}" >&2
    exit 1
fi
log "installed ${#missing[@]} package(s)"
