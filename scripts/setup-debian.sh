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
    # the Debian package and its checks (scripts/package.sh): file for CPack's
    # dpkg-shlibdeps step, desktop entry and AppStream validators, lintian
    file desktop-file-utils appstream lintian
    # X-Resource extension client library: the soak test counts the program's X resources
    libxres-dev
    # failure-mode tests: a Wayland desktop (weston with XWayland), X SHAPE read from python
    weston xwayland python3-xlib
)
PACKAGES+=("$@")

# shellcheck source=scripts/lib/debian-packages.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/debian-packages.sh"
rb_install_packages setup-debian "${PACKAGES[@]}"
