#!/usr/bin/env bash
# Runs the given command in a Wayland session of its own: weston with its
# headless backend and XWayland, a session bus and the AT-SPI bus. Exports
# WAYLAND_DISPLAY, DISPLAY (XWayland's) and XDG_SESSION_TYPE=wayland, and
# leaves QT_QPA_PLATFORM unset, as a Wayland desktop would.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

tmp=$(mktemp -d "${TMPDIR:-/tmp}/rasterblick-wayland.XXXXXX")
chmod 700 "$tmp"
weston_pid=""
stop() {
    rb_x_session_stop 2>/dev/null || true
    if [[ -n $weston_pid ]]; then
        kill -TERM -- "-$weston_pid" 2>/dev/null || true
        for ((i = 0; i < 50; i++)); do
            kill -0 -- "-$weston_pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL -- "-$weston_pid" 2>/dev/null || true
        wait "$weston_pid" 2>/dev/null || true
    fi
    rm -rf "$tmp"
}
trap stop EXIT
trap 'exit 143' TERM
trap 'exit 130' INT

unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM XAUTHORITY RASTERBLICK_USE_DISPLAY \
    DBUS_SESSION_BUS_ADDRESS
export XDG_RUNTIME_DIR=$tmp
socket=rasterblick-$$
# Its own process group, so that weston goes with the XWayland and the
# helper clients it starts.
set -m
weston --backend=headless-backend.so --xwayland --no-config --idle-time=0 \
    --socket="$socket" --width=1600 --height=1000 </dev/null >"$tmp/weston.log" 2>&1 &
weston_pid=$!
set +m

display=""
for ((i = 0; i < 300; i++)); do
    display=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$tmp/weston.log")
    [[ -n $display && -S $tmp/$socket ]] && break
    if ! kill -0 "$weston_pid" 2>/dev/null; then
        echo "in-wayland-session: weston exited; its log:" >&2
        cat "$tmp/weston.log" >&2
        exit 1
    fi
    sleep 0.1
done
if [[ -z $display ]]; then
    echo "in-wayland-session: weston started no XWayland; its log:" >&2
    cat "$tmp/weston.log" >&2
    exit 1
fi
export WAYLAND_DISPLAY=$socket DISPLAY=$display XDG_SESSION_TYPE=wayland
echo "in-wayland-session: weston (pid $weston_pid) WAYLAND_DISPLAY=$WAYLAND_DISPLAY DISPLAY=$DISPLAY" >&2

# The buses only: the X server is XWayland and the window manager weston's own.
# shellcheck source=scripts/lib/x-session.sh
source "$here/../../scripts/lib/x-session.sh"
RASTERBLICK_USE_DISPLAY=1 rb_x_session_start
unset QT_QPA_PLATFORM RASTERBLICK_USE_DISPLAY

status=0
"$@" || status=$?
if ((status != 0)); then
    echo "in-wayland-session: weston's log:" >&2
    tail -n 40 "$tmp/weston.log" >&2
fi
exit "$status"
