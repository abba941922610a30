#!/usr/bin/env bash
# A fresh Wine prefix under /tmp for one run of the Windows tests or
# benchmarks. Source it and call:
#   rb_wine_prefix_start   makes the prefix and exports WINEPREFIX, WINEDEBUG=-all
#                          and WINEDLLOVERRIDES="mscoree,mshtml=" (no .NET, no
#                          Gecko: quick, and nothing to download)
#   rb_wine_prefix_stop    ends every process of that prefix (and only of that
#                          one) and removes it; RASTERBLICK_KEEP_PREFIX=1 keeps it.
#                          Safe to call twice; put it in an EXIT trap.

RB_WINE_PREFIX=""

rb_wine_prefix_start() {
    RB_WINE_PREFIX=$(mktemp -d "${TMPDIR:-/tmp}/rasterblick-wine.XXXXXX")
    export WINEPREFIX=$RB_WINE_PREFIX
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    # Made without a display, and its wineserver ended, so that Wine's desktop
    # process starts afresh on the display of the run.
    env -u DISPLAY -u WAYLAND_DISPLAY wineboot -i >/dev/null 2>&1
    wineserver -w
}

rb_wine_prefix_stop() {
    [[ -n $RB_WINE_PREFIX ]] || return 0
    WINEPREFIX=$RB_WINE_PREFIX wineserver -k 2>/dev/null || true
    WINEPREFIX=$RB_WINE_PREFIX wineserver -w 2>/dev/null || true
    if [[ ${RASTERBLICK_KEEP_PREFIX:-0} == 1 ]]; then
        echo "wine-prefix: kept the Wine prefix $RB_WINE_PREFIX"
    else
        rm -rf "$RB_WINE_PREFIX"
    fi
    RB_WINE_PREFIX=""
}
