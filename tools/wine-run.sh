#!/bin/bash
# Runs a Windows executable under the project's Wine prefix, quietly.
export WINEPREFIX=${WINEPREFIX:-${LAUNCHER_CACHE:-/var/cache/tarvenor-launcher}/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# Under many parallel starts Wine now and then ends a process within a few tens of milliseconds,
# before the program itself has run or printed anything. Only such a start is tried again: one
# that failed, printed nothing and ended within the window. A program that printed anything, or
# ran longer, ran: its result stands, however quickly it failed. Every retry is printed, so that
# a flaky start shows in the log. WINE_RUN_WINDOW_MS widens the window (its test does, so that a
# loaded machine's slow process starts are not taken for programs that ran).
readonly window_ms=${WINE_RUN_WINDOW_MS:-500}
readonly attempts=3
seen=$(mktemp -d)
trap 'rm -rf "$seen"' EXIT
exec 3<&0  # the program's input: a job in the background would read /dev/null
for attempt in $(seq "$attempts"); do
    # The program writes into files, which Wine's own background processes may keep open
    # without holding anything up; tail passes the output on as it comes and ends with it.
    : >"$seen/out"
    : >"$seen/err"
    started=$(date +%s%N)
    wine "$@" <&3 >"$seen/out" 2>"$seen/err" &
    program=$!
    tail -s 0.1 -c +1 --pid="$program" -f "$seen/out" &
    out_copy=$!
    tail -s 0.1 -c +1 --pid="$program" -f "$seen/err" >&2 &
    err_copy=$!
    wait "$program"
    rc=$?
    elapsed_ms=$(( ($(date +%s%N) - started) / 1000000 ))
    wait "$out_copy" "$err_copy"
    if [ "$rc" = 0 ] || [ "$elapsed_ms" -ge "$window_ms" ] || [ -s "$seen/out" ] || [ -s "$seen/err" ]; then
        exit "$rc"
    fi
    what="wine-run: $1 ended with exit code $rc after ${elapsed_ms} ms without any output, before it ran"
    if [ "$attempt" -lt "$attempts" ]; then
        echo "$what; starting it again (attempt $((attempt + 1)) of $attempts)" >&2
    else
        echo "$what; giving up after $attempts attempts" >&2
    fi
done
exit "$rc"
