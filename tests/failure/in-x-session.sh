#!/usr/bin/env bash
# Runs the given command in an X session of its own (Xvfb, openbox, session
# bus, AT-SPI), away from the display the caller may have, and stops it after.
# RB_X_SCREEN sets the screen geometry (default 1920x1200x24).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=scripts/lib/x-session.sh
source "$here/../../scripts/lib/x-session.sh"
unset RASTERBLICK_USE_DISPLAY DBUS_SESSION_BUS_ADDRESS
export RB_X_FIRST_DISPLAY=${RB_X_FIRST_DISPLAY:-$((150 + RANDOM % 100))}
trap rb_x_session_stop EXIT
trap 'exit 143' TERM
trap 'exit 130' INT
rb_x_session_start
status=0
"$@" || status=$?
exit "$status"
