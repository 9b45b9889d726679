#!/bin/bash
# The update engine's benchmarks in one command (figures, not pass/fail):
#   1. MD5 of a 2 GiB tree of mixed files: the launcher's MD5 (update_bench.exe under Wine) against
#      md5sum; goal at least 0.95x md5sum's throughput.
#   2. Applying a patch of a 200 MiB file with 5 % changed: the launcher's streaming applier on a
#      tools/patchgen patch against Debian's bspatch on the bsdiff patch of the same files; goal at
#      least 2x.
#   3. A full install of a 2 GiB sample game served by nginx, by the launcher (under Wine, on an X
#      display) against aria2c downloading the same files plus md5sum checking them; goal at most
#      0.7x their time, with the launcher's peak memory under 150 MiB
#      (tools/bench/full_install_bench.sh).
#
#   tools/bench/update_bench.sh [build folder]     (default: build/ of the checkout)
#
# Inputs are generated once into $BENCH_DIR (default /tmp/tvn-update-bench, about 3.5 GiB) and
# reused. Each side runs twice on a warm page cache and its better time counts. The launcher's
# side is timed inside update_bench.exe, so Wine's start-up is not counted.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD=${1:-$ROOT/build}
BENCH_DIR=${BENCH_DIR:-/tmp/tvn-update-bench}
TREE_MIB=${TREE_MIB:-2048}
PAIR_MIB=${PAIR_MIB:-200}
PAIR_PERCENT=${PAIR_PERCENT:-5}
PY=/usr/bin/python3
WINE_RUN=$ROOT/tools/wine-run.sh
BENCH_EXE=$BUILD/tests/update_bench.exe
SUMMARY=()

log() { echo "== $*" >&2; }

# Seconds of one run of a command, its output discarded.
wall_seconds() {
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null
    end=$(date +%s.%N)
    echo "$end - $start" | bc -l
}

min() { echo "if ($1 < $2) $1 else $2" | bc -l; }
ratio() { printf '%.2f' "$(echo "$1 / $2" | bc -l)"; }
mib_per_s() { printf '%.0f' "$(echo "$1 / 1048576 / $2" | bc -l)"; }

# The launcher side: runs update_bench.exe, prints its seconds.
ours() {
    local line
    line=$("$WINE_RUN" "$BENCH_EXE" "$@" | tr -d '\r')   # Wine's console ends lines with CR LF
    [[ $line == *" ok "* ]] || { echo "update_bench failed: $line" >&2; exit 1; }
    echo "$line" | awk '{print $4}'
}

winpath() { echo "Z:${1//\//\\}"; }

prepare() {
    command -v bc >/dev/null || { apt-get update -qq && apt-get install -y -qq bc >/dev/null; }
    if ! command -v bsdiff >/dev/null || ! command -v bspatch >/dev/null; then
        log "installing bsdiff"
        apt-get update -qq && apt-get install -y -qq bsdiff >/dev/null
    fi
    log "building update_bench"
    cmake --build "$BUILD" --target update_bench >/dev/null
    mkdir -p "$BENCH_DIR"
}

bench_md5() {
    local tree=$BENCH_DIR/tree-$TREE_MIB
    if [ ! -e "$tree.done" ]; then
        log "generating a ${TREE_MIB} MiB tree"
        rm -rf "$tree"
        $PY "$ROOT/tools/bench/make_bench_data.py" tree "$tree" "$TREE_MIB" >&2
        touch "$tree.done"
    fi
    local bytes
    bytes=$(find "$tree" -type f -printf '%s\n' | awk '{s += $1} END {print s}')
    find "$tree" -type f -print0 | xargs -0 cat >/dev/null   # warm the page cache
    local theirs=999999 mine=999999 t
    for _ in 1 2; do
        t=$(wall_seconds sh -c "find '$tree' -type f -print0 | xargs -0 md5sum")
        theirs=$(min "$theirs" "$t")
        t=$(ours md5 "$(winpath "$tree")")
        mine=$(min "$mine" "$t")
    done
    SUMMARY+=("MD5 of $((bytes / 1048576)) MiB: launcher $(mib_per_s "$bytes" "$mine") MiB/s, md5sum $(mib_per_s "$bytes" "$theirs") MiB/s, ratio $(ratio "$theirs" "$mine")x (goal >= 0.95x)")
}

bench_patch() {
    local dir=$BENCH_DIR/pair-$PAIR_MIB-$PAIR_PERCENT
    mkdir -p "$dir"
    if [ ! -e "$dir/inputs.done" ]; then
        log "generating a ${PAIR_MIB} MiB file with ${PAIR_PERCENT} % changed"
        $PY "$ROOT/tools/bench/make_bench_data.py" pair "$dir/old.bin" "$dir/new.bin" "$PAIR_MIB" "$PAIR_PERCENT"
        rm -f "$dir/ours.patch" "$dir/bsdiff.patch"
        touch "$dir/inputs.done"
    fi
    if [ ! -e "$dir/ours.patch" ]; then
        log "tools/patchgen"
        $PY "$ROOT/tools/patchgen" "$dir/old.bin" "$dir/new.bin" "$dir/ours.patch"
    fi
    if [ ! -e "$dir/bsdiff.patch" ]; then
        log "bsdiff (takes minutes)"
        bsdiff "$dir/old.bin" "$dir/new.bin" "$dir/bsdiff.patch.tmp"
        mv "$dir/bsdiff.patch.tmp" "$dir/bsdiff.patch"
    fi
    cat "$dir/old.bin" "$dir/ours.patch" "$dir/bsdiff.patch" >/dev/null
    local want theirs=999999 mine=999999 t
    want=$(md5sum <"$dir/new.bin")
    for _ in 1 2; do
        rm -f "$dir/out-bspatch.bin" "$dir/out-ours.bin"
        t=$(wall_seconds bspatch "$dir/old.bin" "$dir/out-bspatch.bin" "$dir/bsdiff.patch")
        theirs=$(min "$theirs" "$t")
        t=$(ours apply "$(winpath "$dir/old.bin")" "$(winpath "$dir/out-ours.bin")" "$(winpath "$dir/ours.patch")")
        mine=$(min "$mine" "$t")
        [ "$(md5sum <"$dir/out-bspatch.bin")" = "$want" ] || { echo "bspatch output differs" >&2; exit 1; }
        [ "$(md5sum <"$dir/out-ours.bin")" = "$want" ] || { echo "launcher applier output differs" >&2; exit 1; }
    done
    rm -f "$dir/out-bspatch.bin" "$dir/out-ours.bin"
    SUMMARY+=("Patch apply, ${PAIR_MIB} MiB with ${PAIR_PERCENT} % changed (patches: ours $(stat -c %s "$dir/ours.patch") B, bsdiff $(stat -c %s "$dir/bsdiff.patch") B): launcher ${mine} s, bspatch ${theirs} s, ratio $(ratio "$theirs" "$mine")x (goal >= 2x)")
}

# ---- 3. Full install (the sample publisher's part; the work is in full_install_bench.sh).
source "$ROOT/tools/bench/full_install_bench.sh"

bench_install() {
    log "full install of the 2 GiB sample game: the launcher, then aria2c + md5sum"
    cmake --build "$BUILD" --target launcher KORU >/dev/null
    source "$ROOT/tools/display.sh"
    start_display
    trap stop_display EXIT
    local line
    line=$(bench_full_install "$ROOT" "$BUILD") || { echo "full install benchmark failed" >&2; exit 1; }
    SUMMARY+=("${line^}")
}

prepare
bench_md5
bench_patch
bench_install

echo
echo "Update benchmarks"
for line in "${SUMMARY[@]}"; do echo "  $line"; done
