#!/usr/bin/env bash
# Runs a Windows test program under Wine for ctest (the emulator of the test
# targets): Wine's quiet settings unless the caller chose, and the program's
# output without the carriage returns a Windows program writes, so that ctest
# and GoogleTest's test discovery read it as they do on Linux.
set -o pipefail
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
wine "$@" 2> >(tr -d '\r' >&2) | tr -d '\r'
status=${PIPESTATUS[0]}
wait
exit "$status"
