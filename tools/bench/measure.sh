# Sourced by the benchmark scripts: one timed run of a command, and the median of several.
#   measure <command...>     prints "<wall seconds> <peak resident KiB>" of the command's run: the
#                            peak is that of its largest process (GNU time's %M), which for a
#                            Windows program under Wine is the program's own process
#   median <numbers...>      prints the median
# Installs GNU time when it is missing.

measure() {
    [ -x /usr/bin/time ] || { apt-get update -qq && apt-get install -y -qq time >&2; }
    local out
    out=$(mktemp)
    /usr/bin/time -f '%e %M' -o "$out" "$@" >/dev/null || { rm -f "$out"; return 1; }
    tail -1 "$out"
    rm -f "$out"
}

median() {
    printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
