#!/usr/bin/env bash
# A private X session for gui tests, benchmarks and screenshots: Xvfb on a free
# display, openbox as window manager, a session bus and the AT-SPI bus launcher.
#
# Source it and call:
#   rb_x_session_start   starts everything and exports DISPLAY, DBUS_SESSION_BUS_ADDRESS,
#                        XDG_RUNTIME_DIR, QT_QPA_PLATFORM=xcb, QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1,
#                        RASTERBLICK_PYTHON (a python3 that has pyatspi)
#   rb_x_session_stop    stops every process rb_x_session_start started, quietly
#                        (safe to call twice)
# Put rb_x_session_stop in an EXIT trap so that it runs on failure and Ctrl-C too.
#
# With RASTERBLICK_USE_DISPLAY=1 and DISPLAY set, the caller's X server (and its
# window manager) is used and no X server is started; a session bus and the AT-SPI
# launcher are started only if DBUS_SESSION_BUS_ADDRESS is not set.
#
# Settings (environment):
#   RB_X_SCREEN         screen geometry, default 1920x1200x24
#   RB_X_FIRST_DISPLAY  first display number tried, default 90
#
# Run directly for a self-test: bash scripts/lib/x-session.sh --self-test

RB_X_PIDS=()      # process group ids started here, in start order
RB_X_TMP=""       # private directory: logs, bus socket, runtime dir
RB_X_OWN_X=0      # 1 when this session started the X server

rb_x_log() { printf 'x-session: %s\n' "$*" >&2; }

# Starts "$@" in the background as the leader of its own process group, so that
# rb_x_session_stop can end it together with any children it spawned.
# Sets RB_X_LAST_PID.
rb_x_spawn() {
    local log=$1
    shift
    local had_monitor=0
    [[ $- == *m* ]] && had_monitor=1
    set -m
    "$@" </dev/null >>"$log" 2>&1 &
    RB_X_LAST_PID=$!
    ((had_monitor)) || set +m
    RB_X_PIDS+=("$RB_X_LAST_PID")
}

# rb_x_wait SECONDS PID DESCRIPTION COMMAND...: polls COMMAND until it succeeds;
# fails when the time is up or when process PID has died.
rb_x_wait() {
    local seconds=$1 pid=$2 what=$3
    shift 3
    local tries=$((seconds * 10))
    while ((tries-- > 0)); do
        if "$@" >/dev/null 2>&1; then
            return 0
        fi
        if ! kill -0 "$pid" 2>/dev/null; then
            rb_x_log "$what: process $pid exited"
            return 1
        fi
        sleep 0.1
    done
    rb_x_log "$what: not ready after ${seconds}s"
    return 1
}

rb_x_display_free() {
    local n=$1
    [[ ! -e /tmp/.X11-unix/X$n && ! -e /tmp/.X$n-lock ]]
}

# True once display :$1 answers and its lock file names pid $2, i.e. the server that
# answers is the one started here and not one that won a race for the same number.
rb_x_server_ready() {
    local owner=""
    read -r owner <"/tmp/.X$1-lock" 2>/dev/null || return 1
    [[ $owner == "$2" ]] && xdpyinfo -display ":$1" >/dev/null 2>&1
}

rb_x_screen_is() {
    xdpyinfo -display "$DISPLAY" | grep -Eq "dimensions: +$1 pixels"
}

rb_x_wm_running() {
    xprop -display "$DISPLAY" -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id #'
}

rb_x_start_server() {
    local screen=${RB_X_SCREEN:-1920x1200x24}
    local n=${RB_X_FIRST_DISPLAY:-90} last=$((${RB_X_FIRST_DISPLAY:-90} + 200))
    for (( ; n < last; n++)); do
        rb_x_display_free "$n" || continue
        rb_x_spawn "$RB_X_TMP/xvfb.log" Xvfb ":$n" -screen 0 "$screen" -noreset -nolisten tcp
        local pid=$RB_X_LAST_PID
        if rb_x_wait 30 "$pid" "Xvfb :$n" rb_x_server_ready "$n" "$pid"; then
            export DISPLAY=":$n"
            RB_X_OWN_X=1
            rb_x_log "Xvfb running on $DISPLAY (pid $pid, $screen)"
            return 0
        fi
        # Lost a race for this display number, or Xvfb failed: try the next one.
        rb_x_kill_group "$pid"
        unset 'RB_X_PIDS[-1]'
    done
    rb_x_log "could not start Xvfb; its log:"
    cat "$RB_X_TMP/xvfb.log" >&2 || true
    return 1
}

rb_x_start_wm() {
    rb_x_spawn "$RB_X_TMP/openbox.log" openbox --sm-disable
    local pid=$RB_X_LAST_PID
    if ! rb_x_wait 30 "$pid" "openbox" rb_x_wm_running; then
        cat "$RB_X_TMP/openbox.log" >&2 || true
        return 1
    fi
    rb_x_log "openbox running (pid $pid)"
}

rb_x_start_buses() {
    local sock="$RB_X_TMP/session-bus"
    rb_x_spawn "$RB_X_TMP/dbus.log" dbus-daemon --session --nofork --nopidfile \
        --address="unix:path=$sock"
    local pid=$RB_X_LAST_PID
    if ! rb_x_wait 30 "$pid" "dbus-daemon" test -S "$sock"; then
        cat "$RB_X_TMP/dbus.log" >&2 || true
        return 1
    fi
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$sock"
    rb_x_log "session bus running (pid $pid)"

    local launcher=/usr/libexec/at-spi-bus-launcher
    if [[ ! -x $launcher ]]; then
        rb_x_log "$launcher not found (package at-spi2-core); accessibility tests will fail"
        return 0
    fi
    rb_x_spawn "$RB_X_TMP/at-spi.log" "$launcher" --launch-immediately
    pid=$RB_X_LAST_PID
    if ! rb_x_wait 30 "$pid" "at-spi-bus-launcher" rb_x_a11y_launcher_ready "$pid"; then
        cat "$RB_X_TMP/at-spi.log" >&2 || true
        return 1
    fi
    rb_x_log "accessibility bus running (pid $pid)"
}

# Prints the pid of the process that owns a name on the session bus. Asks the bus
# itself, so that the question never starts the name's service by D-Bus activation.
rb_x_bus_name_owner_pid() {
    dbus-send --session --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.GetConnectionUnixProcessID "string:$1" 2>/dev/null |
        awk '{print $NF}'
}

# True once the launcher with pid $1 owns org.a11y.Bus. (A call to org.a11y.Bus before
# that would make the session bus start a second launcher that races the first.)
rb_x_a11y_launcher_ready() {
    [[ $(rb_x_bus_name_owner_pid org.a11y.Bus) == "$1" ]] && rb_x_a11y_bus_ready
}

# True when org.a11y.Bus on the session bus hands out the accessibility bus address.
rb_x_a11y_bus_ready() {
    dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress 2>/dev/null | grep -q 'unix:'
}

rb_x_session_start() {
    if [[ -n $RB_X_TMP ]]; then
        rb_x_log "already started"
        return 0
    fi
    local base=${TMPDIR:-/tmp}
    RB_X_TMP=$(mktemp -d "$base/rasterblick-x.XXXXXX") || return 1
    chmod 700 "$RB_X_TMP"

    if [[ ${RASTERBLICK_USE_DISPLAY:-0} == 1 && -n ${DISPLAY:-} ]]; then
        rb_x_log "using the caller's display $DISPLAY"
        if ! xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; then
            rb_x_log "display $DISPLAY does not answer"
            return 1
        fi
        rb_x_wm_running || rb_x_log "warning: no window manager found on $DISPLAY"
        if [[ -z ${DBUS_SESSION_BUS_ADDRESS:-} ]]; then
            mkdir -p "$RB_X_TMP/runtime" && chmod 700 "$RB_X_TMP/runtime"
            export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$RB_X_TMP/runtime}
            rb_x_start_buses || return 1
        fi
    else
        # A private runtime dir keeps the buses' sockets apart from any desktop session.
        mkdir -p "$RB_X_TMP/runtime" && chmod 700 "$RB_X_TMP/runtime"
        export XDG_RUNTIME_DIR="$RB_X_TMP/runtime"
        unset WAYLAND_DISPLAY XAUTHORITY
        rb_x_start_server || return 1
        rb_x_start_wm || return 1
        rb_x_start_buses || return 1
    fi
    export QT_QPA_PLATFORM=xcb
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    # Debian's python3 has pyatspi; a python3 found first on PATH (pyenv, venv) may not.
    if [[ -x /usr/bin/python3 ]]; then
        export RASTERBLICK_PYTHON=/usr/bin/python3
    else
        RASTERBLICK_PYTHON=$(command -v python3 || true)
        export RASTERBLICK_PYTHON
    fi
}

# Sends SIGTERM to a process group, waits up to 5 s, then SIGKILL.
rb_x_kill_group() {
    local pgid=$1 tries=50
    kill -TERM -- "-$pgid" 2>/dev/null || kill -TERM "$pgid" 2>/dev/null || return 0
    while ((tries-- > 0)); do
        kill -0 -- "-$pgid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 -- "-$pgid" 2>/dev/null; then
        rb_x_log "process group $pgid did not stop; killing it"
        kill -KILL -- "-$pgid" 2>/dev/null || true
    fi
    wait "$pgid" 2>/dev/null || true
}

rb_x_session_stop() {
    local i
    for ((i = ${#RB_X_PIDS[@]} - 1; i >= 0; i--)); do
        rb_x_kill_group "${RB_X_PIDS[i]}"
    done
    RB_X_PIDS=()
    if [[ -n $RB_X_TMP ]]; then
        rm -rf "$RB_X_TMP"
        RB_X_TMP=""
    fi
    RB_X_OWN_X=0
    return 0
}

# Self-test: start a session, check each part answers, stop it, check nothing is left.
rb_x_self_test() {
    set -u
    local failed=0 pids
    check() {
        local what=$1
        shift
        if "$@" >/dev/null 2>&1; then
            echo "ok   - $what"
        else
            echo "FAIL - $what"
            failed=1
        fi
    }
    trap 'rb_x_session_stop' EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
    rb_x_session_start || {
        echo "FAIL - session start"
        return 1
    }
    pids=("${RB_X_PIDS[@]}")
    check "DISPLAY is set ($DISPLAY)" test -n "$DISPLAY"
    check "X server answers" xdpyinfo -display "$DISPLAY"
    if ((RB_X_OWN_X)); then
        local geometry=${RB_X_SCREEN:-1920x1200x24}
        geometry=${geometry%x*}
        check "screen is $geometry" rb_x_screen_is "$geometry"
    fi
    check "a window manager runs" rb_x_wm_running
    check "the session bus answers" dbus-send --session --print-reply --dest=org.freedesktop.DBus \
        /org/freedesktop/DBus org.freedesktop.DBus.ListNames
    check "the accessibility bus is announced" rb_x_a11y_bus_ready
    if ((${#RB_X_PIDS[@]} >= 4)); then
        check "org.a11y.Bus belongs to the launcher started here" \
            rb_x_a11y_launcher_ready "${RB_X_PIDS[-1]}"
    fi
    check "pyatspi reaches the accessibility registry" "$RASTERBLICK_PYTHON" -c \
        'import pyatspi; pyatspi.Registry.getDesktop(0).childCount'
    check "QT_QPA_PLATFORM=xcb" test "$QT_QPA_PLATFORM" = xcb
    check "QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1" test "$QT_LINUX_ACCESSIBILITY_ALWAYS_ON" = 1
    local display=$DISPLAY own=$RB_X_OWN_X
    rb_x_session_stop
    local pid left=0
    for pid in "${pids[@]}"; do
        kill -0 -- "-$pid" 2>/dev/null && left=1
    done
    check "no started process is left" test "$left" = 0
    if ((own)); then
        check "display $display is free again" rb_x_display_free "${display#:}"
    fi
    if ((failed)); then
        echo "x-session self-test: FAILED"
        return 1
    fi
    echo "x-session self-test: passed"
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
    case ${1:-} in
    --self-test)
        rb_x_self_test
        exit $?
        ;;
    *)
        echo "usage: bash $0 --self-test   (or source it and call rb_x_session_start)" >&2
        exit 2
        ;;
    esac
fi
