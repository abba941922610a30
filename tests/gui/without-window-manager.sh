#!/usr/bin/env bash
# Runs the given command on a private X server that has no window manager, as
# on a bare X session: the frames must then move by following the pointer.
set -euo pipefail
for ((n = 140; n < 240; n++)); do
    [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] || break
done
Xvfb ":$n" -screen 0 1920x1200x24 -noreset -nolisten tcp >/dev/null 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null || true' EXIT
for ((i = 0; i < 100; i++)); do
    xdpyinfo -display ":$n" >/dev/null 2>&1 && break
    sleep 0.1
done
DISPLAY=":$n" "$@"
