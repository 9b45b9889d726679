#!/bin/bash
# Runs a Windows executable under the project's Wine prefix, quietly.
export WINEPREFIX=${WINEPREFIX:-${LAUNCHER_CACHE:-/var/cache/tarvenor-launcher}/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# Under many parallel starts Wine now and then ends a process within a few tens of milliseconds,
# before the program itself has run or printed anything. Such an exit is retried; a program that
# really ran takes longer than that even when it fails.
for attempt in 1 2 3; do
    started=$(date +%s%N)
    wine "$@"
    rc=$?
    elapsed_ms=$(( ($(date +%s%N) - started) / 1000000 ))
    if [ "$rc" = 0 ] || [ "$elapsed_ms" -ge 500 ]; then exit "$rc"; fi
    echo "wine-run: exit code $rc after ${elapsed_ms} ms, before the program ran (attempt $attempt)" >&2
done
exit "$rc"
