#!/usr/bin/env bash
# Runs a Windows test program under Wine for ctest (the emulator of the test
# targets): Wine's quiet settings unless the caller chose, and the program's
# output without the carriage returns a Windows program writes, so that ctest
# and GoogleTest's test discovery read it as they do on Linux.
#
# The output goes through files, not pipes: the wineserver and the helper
# processes a first Wine program starts inherit its output and keep a pipe
# open for as long as they live.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
out=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX") || exit 1
err=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX") || exit 1
trap 'rm -f "$out" "$err"' EXIT
wine "$@" >"$out" 2>"$err"
status=$?
tr -d '\r' <"$out"
tr -d '\r' <"$err" >&2
exit "$status"
