#!/bin/bash
# Downloads a 1 GiB file and a tree of 2,000 small files from the project's test server on this
# machine with the download manager (under Wine, ticked as the launcher's worker ticks it), with
# the curl tool and with aria2c, and prints the times and ratios. One run, no arguments.
#   DOWNLOAD_BENCH_DIR  where the data and the downloads go (default /tmp/tarvenor-download-bench)
#   LAUNCHER_BUILD      the build folder (default <checkout>/build)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=${DOWNLOAD_BENCH_DIR:-/tmp/tarvenor-download-bench}
build=${LAUNCHER_BUILD:-$root/build}

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

# ---- The server, and a display of our own for Wine (the shared Wine server is left alone).
coproc SERVER { exec python3 "$root/tools/test_server" --root "$data"; }
server_pid=$SERVER_PID
read -r ready port _ <&"${SERVER[0]}"
[ "$ready" = READY ] || { echo "test server did not start" >&2; exit 1; }
xvfb_pid=
if [ -z "${DISPLAY:-}" ]; then
    n=$((500 + RANDOM % 400))
    while [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
fi
cleanup() {
    kill "$server_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work/out"
}
trap cleanup EXIT
base="http://127.0.0.1:$port/b0"

fresh_out() { rm -rf "$work/out"; mkdir -p "$work/out"; }
now() { date +%s.%N; }
elapsed() { python3 -c "print(f'{$2 - $1:.3f}')"; }

run_manager() {  # list file
    fresh_out
    local out_win
    out_win="Z:${work//\//\\}\\out"
    "$root/tools/wine-run.sh" "$bench_exe" "Z:${1//\//\\}" "$base/" "$out_win" | tr -d '\r'
}

run_curl_big() {
    fresh_out
    local t0; t0=$(now)
    curl -sS -o "$work/out/big.bin" "$base/big.bin"
    elapsed "$t0" "$(now)"
}

run_aria_big() {
    fresh_out
    local t0; t0=$(now)
    aria2c -q -x5 -s5 --file-allocation=none --allow-overwrite=true -d "$work/out" -o big.bin "$base/big.bin"
    elapsed "$t0" "$(now)"
}

run_curl_tree() {
    fresh_out
    local config="$work/curl-tree.cfg"
    awk -v b="$base" -v o="$work/out" '{ printf "url = \"%s/%s\"\noutput = \"%s/%s\"\n", b, $1, o, $1 }' \
        "$data/tree.list" >"$config"
    local t0; t0=$(now)
    curl -sS --no-progress-meter -Z --parallel-max 5 --create-dirs -K "$config"
    elapsed "$t0" "$(now)"
}

run_aria_tree() {
    fresh_out
    local input="$work/aria-tree.txt"
    awk -v b="$base" '{ printf "%s/%s\n  out=%s\n", b, $1, $1 }' "$data/tree.list" >"$input"
    local t0; t0=$(now)
    aria2c -q -j5 --file-allocation=none --allow-overwrite=true -d "$work/out" -i "$input"
    elapsed "$t0" "$(now)"
}

echo "download benchmark: local test server on port $port, $(nproc) cores"
big_dm=$(run_manager "$data/big.list")
sed 's/ [0-9a-f]*$/ -/' "$data/big.list" >"$work/big-nomd5.list"
big_dm_nomd5=$(run_manager "$work/big-nomd5.list")
big_curl=$(run_curl_big)
big_aria=$(run_aria_big)
tree_dm=$(run_manager "$data/tree.list")
tree_curl=$(run_curl_tree)
tree_aria=$(run_aria_tree)

python3 - "$big_dm" "$big_dm_nomd5" "$big_curl" "$big_aria" "$tree_dm" "$tree_curl" "$tree_aria" <<'PY'
import sys
big_dm, big_dm_nomd5, big_curl, big_aria, tree_dm, tree_curl, tree_aria = map(float, sys.argv[1:])
mib = 1024
print(f"{'':30}{'seconds':>10}{'MiB/s':>10}")
for name, t in (("1 GiB: download manager", big_dm), ("1 GiB: manager, no MD5, 1 range", big_dm_nomd5),
                ("1 GiB: curl", big_curl), ("1 GiB: aria2c -x5 -s5", big_aria)):
    print(f"{name:30}{t:10.3f}{mib / t:10.1f}")
for name, t in (("2000 files: download manager", tree_dm), ("2000 files: curl -Z", tree_curl),
                ("2000 files: aria2c -j5", tree_aria)):
    print(f"{name:30}{t:10.3f}")
print(f"ratio 1 GiB, manager time / aria2c time: {big_dm / big_aria:.2f} (goal <= 1)")
print(f"ratio 1 GiB, manager time / curl time:   {big_dm / big_curl:.2f}")
print(f"ratio tree, manager time / aria2c time:  {tree_dm / tree_aria:.2f} (goal <= 2)")
print(f"ratio tree, manager time / curl time:    {tree_dm / tree_curl:.2f}")
PY
