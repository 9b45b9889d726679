#!/bin/bash
# Downloads a 1 GiB file and a tree of 2,000 small files from nginx on 127.0.0.1 with the
# download manager (under Wine, ticked as the launcher's worker ticks it), with aria2c and with
# the curl tool, and prints times, throughput, peak memory and ratios: the median of RUNS rounds,
# each round running every side once in turn. No arguments.
#   RUNS                rounds (default 3)
#   DOWNLOAD_BENCH_DIR  where the data and the downloads go (default /tmp/tarvenor-download-bench)
#   LAUNCHER_BUILD      the build folder (default <checkout>/build)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=${DOWNLOAD_BENCH_DIR:-/tmp/tarvenor-download-bench}
build=${LAUNCHER_BUILD:-$root/build}
runs=${RUNS:-3}
source "$root/tools/bench/nginx.sh"
source "$root/tools/bench/measure.sh"
source "$root/tools/display.sh"

# ---- Tools and the bench executable.
if ! command -v aria2c >/dev/null || ! command -v curl >/dev/null; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends aria2 curl >&2
fi
deps=$("$root/tools/setup.sh" | sed -n 's/^deps=//p')
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DLAUNCHER_DEPS_PREFIX="$deps" >/dev/null
cmake --build "$build" --target download_bench >/dev/null
bench_exe="$build/tests/download_bench.exe"

# ---- Data, made once and kept for later runs.
data="$work/data"
mkdir -p "$data"
if [ ! -f "$data/big.list" ]; then
    head -c 1073741824 /dev/urandom >"$data/big.bin"
    echo "big.bin 1073741824 $(md5sum "$data/big.bin" | cut -d' ' -f1)" >"$data/big.list"
fi
if [ ! -f "$data/tree.list" ]; then
    python3 - "$data" <<'PY'
import hashlib, os, random, sys
data = sys.argv[1]
rng = random.Random(4)
lines = []
for i in range(2000):
    rel = f"tree/d{i % 40:02d}/s{i // 40 % 5}/f{i:04d}.bin"
    size = rng.randint(1024, 65536)
    body = rng.randbytes(size)
    os.makedirs(os.path.dirname(os.path.join(data, rel)), exist_ok=True)
    with open(os.path.join(data, rel), "wb") as f:
        f.write(body)
    lines.append(f"{rel} {size} {hashlib.md5(body).hexdigest()}\n")
with open(os.path.join(data, "tree.list"), "w") as f:
    f.writelines(lines)
PY
fi
sed 's/ [0-9a-f]*$/ -/' "$data/big.list" >"$work/big-nomd5.list"
cat "$data/big.bin" >/dev/null   # every side reads the server's files from the page cache

# ---- The server, and a display and a warm wineserver for Wine.
start_display
start_nginx "$data" "$work"
cleanup() {
    stop_nginx
    stop_display
    rm -rf "$work/out"
}
trap cleanup EXIT
base="http://127.0.0.1:$NGINX_PORT/dlc"

fresh_out() { rm -rf "$work/out"; mkdir -p "$work/out"; }

# Each prints "<seconds> <peak KiB>". The manager's seconds are its own, from the first queued
# file to the last callback (Wine's start-up is left out); the peak is its process's.
run_manager() {  # list file
    fresh_out
    local out_win line
    out_win="Z:${work//\//\\}\\out"
    line=$(measure "$root/tools/wine-run.sh" "$bench_exe" "Z:${1//\//\\}" "$base/" "$out_win" "Z:${work//\//\\}\\manager.seconds")
    echo "$(tr -d '\r' <"$work/manager.seconds") ${line#* }"
}
run_curl_big() {
    fresh_out
    measure curl -sS -o "$work/out/big.bin" "$base/big.bin"
}
run_aria_big() {
    fresh_out
    measure aria2c -q -x5 -s5 --file-allocation=none --allow-overwrite=true -d "$work/out" -o big.bin "$base/big.bin"
}
run_curl_tree() {
    fresh_out
    awk -v b="$base" -v o="$work/out" '{ printf "url = \"%s/%s\"\noutput = \"%s/%s\"\n", b, $1, o, $1 }' \
        "$data/tree.list" >"$work/curl-tree.cfg"
    measure curl -sS --no-progress-meter -Z --parallel-max 5 --create-dirs -K "$work/curl-tree.cfg"
}
run_aria_tree() {
    fresh_out
    awk -v b="$base" '{ printf "%s/%s\n  out=%s\n", b, $1, $1 }' "$data/tree.list" >"$work/aria-tree.txt"
    measure aria2c -q -j5 --file-allocation=none --allow-overwrite=true -d "$work/out" -i "$work/aria-tree.txt"
}

sides=(big_dm big_dm_nomd5 big_aria big_curl tree_dm tree_aria tree_curl)
declare -A seconds peaks
for side in "${sides[@]}"; do seconds[$side]=""; peaks[$side]=""; done
record() {  # side "seconds peak"
    seconds[$1]+=" ${2% *}"
    peaks[$1]+=" ${2#* }"
}
echo "download benchmark: nginx on 127.0.0.1:$NGINX_PORT, $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg), $runs rounds" >&2
for round in $(seq "$runs"); do
    echo "round $round of $runs" >&2
    record big_dm "$(run_manager "$data/big.list")"
    record big_dm_nomd5 "$(run_manager "$work/big-nomd5.list")"
    record big_aria "$(run_aria_big)"
    record big_curl "$(run_curl_big)"
    record tree_dm "$(run_manager "$data/tree.list")"
    record tree_aria "$(run_aria_tree)"
    record tree_curl "$(run_curl_tree)"
done

label() {
    case $1 in
        big_dm) echo "1 GiB: launcher engine, MD5 checked" ;;
        big_dm_nomd5) echo "1 GiB: launcher engine, no MD5, 1 range" ;;
        big_aria) echo "1 GiB: aria2c -x5, no check" ;;
        big_curl) echo "1 GiB: curl, one connection" ;;
        tree_dm) echo "2,000 files: launcher engine, MD5" ;;
        tree_aria) echo "2,000 files: aria2c -j5" ;;
        tree_curl) echo "2,000 files: curl -Z, 5 parallel" ;;
    esac
}
declare -A med
printf '| %-40s | %9s | %8s | %9s |\n' "what (median of $runs)" seconds "MiB/s" "peak MiB"
printf '|%s|%s|%s|%s|\n' "$(printf -- '-%.0s' {1..42})" ----------- ---------- -----------
for side in "${sides[@]}"; do
    # shellcheck disable=SC2086
    med[$side]=$(median ${seconds[$side]})
    # shellcheck disable=SC2086
    peak=$(median ${peaks[$side]})
    mib=$([[ $side == big_* ]] && echo 1024 || awk '{ s += $2 } END { print s / 1048576 }' "$data/tree.list")
    printf '| %-40s | %9.3f | %8.1f | %9.1f |\n' "$(label "$side")" "${med[$side]}" \
        "$(awk -v a="$mib" -v b="${med[$side]}" 'BEGIN { print a / b }')" "$(awk -v a="$peak" 'BEGIN { print a / 1024 }')"
done
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
echo
echo "ratio 1 GiB, launcher (MD5) / aria2c:  $(ratio "${med[big_dm]}" "${med[big_aria]}") (goal <= 1)"
echo "ratio 1 GiB, launcher (MD5) / curl:    $(ratio "${med[big_dm]}" "${med[big_curl]}")"
echo "ratio 2,000 files, launcher / aria2c:  $(ratio "${med[tree_dm]}" "${med[tree_aria]}") (goal <= 1.25)"
echo "ratio 2,000 files, launcher / curl:    $(ratio "${med[tree_dm]}" "${med[tree_curl]}")"
