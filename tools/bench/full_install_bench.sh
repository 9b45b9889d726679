#!/bin/bash
# Full install of a 2 GiB sample game: the launcher under Wine against aria2c downloading the
# same files plus md5sum checking them. The game's files come from nginx on 127.0.0.1 (the
# launcher's endpoint file names it as the content server); the sample publisher answers the
# gate. Sourced by update_bench.sh (which calls bench_full_install), or run alone:
#   tools/bench/full_install_bench.sh [build folder]
# Needs the build's launcher.exe and KORU.exe, an X display for the launcher's window (DISPLAY;
# run alone, the script starts an Xvfb) and the Wine prefix of tools/display.sh.
#
# The launcher's time runs from the moment its game folder gets tmp_version_map.txt (its update
# has asked the gate and fetched the remote map, a few milliseconds) until version_map.txt takes
# its place (every file downloaded, checked and moved in). Its peak memory is that of its
# process over the whole run. The ratio is the launcher's time over aria2c+md5sum's.

bench_full_install() {
    local root=$1 build=$2
    local work="$build/bench/full_install"
    local sample="$build/sample_publisher/bench"
    local game_dir="$work/launcher/Tarvenor Game"
    command -v aria2c >/dev/null || apt-get install -y aria2 >/dev/null
    source "$root/tools/bench/nginx.sh"
    source "$root/tools/bench/measure.sh"
    mkdir -p "$work"
    x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -Wall -Wextra -municode -static \
        -o "$work/post_to_launcher.exe" "$root/tools/bench/post_to_launcher.cpp"
    python3 "$root/tools/publisher" --profile bench --build-only --sample "$sample" \
        --game-exe "$build/tests/KORU.exe" || return 1
    rm -rf "$work/launcher" "$work/aria2"
    mkdir -p "$work/launcher" "$work/aria2"
    cp "$build/app/launcher.exe" "$work/launcher/"
    mkdir -p "$game_dir"   # as the main window's install button does before it asks for the update

    # The publisher stops when its stdin (this function's descriptor) closes.
    local ready="$work/publisher.ready"
    rm -f "$ready"
    exec {publisher_fd}> >(exec python3 "$root/tools/publisher" --profile bench --sample "$sample" --port 0 \
                               --game-exe "$build/tests/KORU.exe" \
                               --write-setting "$work/launcher/save/setting.json" >"$ready" 2>/dev/null)
    local publisher_pid=$!
    _bench_wait 600 grep -q '^READY' "$ready" || { echo "full install: the publisher did not start" >&2; return 1; }
    # The files come from nginx: the endpoint file's content URLs win over the gate's.
    start_nginx "$sample/www" "$work" || return 1
    local result=0
    _bench_install_from "http://127.0.0.1:$NGINX_PORT/dlc/game/10077_0_1" || result=1
    stop_nginx
    exec {publisher_fd}>&-
    wait "$publisher_pid" 2>/dev/null || true
    return $result
}

# The two installs, with the files under base; uses the locals of bench_full_install.
_bench_install_from() {
    local base=$1
    python3 - "$work/launcher/save/setting.json" "$base/" <<'EOF'
import json, sys
with open(sys.argv[1]) as f:
    setting = json.load(f)
setting["DlcURLs"] = [sys.argv[2]]
with open(sys.argv[1], "w") as f:
    json.dump(setting, f, indent="\t")
EOF
    local map="$sample/www/game/10077_0_1/version_map.txt"
    python3 - "$map" "$base" "$work/aria2.input" "$work/md5.list" <<'EOF'
import json, sys
members = json.load(open(sys.argv[1]))
del members["version"]
with open(sys.argv[3], "w") as inputs, open(sys.argv[4], "w") as sums:
    for path, entry in sorted(members.items()):
        inputs.write(f"{sys.argv[2]}/{path}\n  out={path}\n")
        sums.write(f"{entry['md5']}  {path}\n")
EOF
    local bytes
    bytes=$(python3 -c "import json,sys; m=json.load(open(sys.argv[1])); print(sum(e['size'] for k,e in m.items() if k!='version'))" "$map")
    # Both sides read the server's files from the page cache.
    find "$sample/www/game/10077_0_1" -type f -exec cat {} + >/dev/null

    # aria2c with five connections, as many as the launcher's transfer pool, then md5sum.
    local aria md5 aria_s launcher_s
    aria=$(measure aria2c -i "$work/aria2.input" -d "$work/aria2" -j5 -x1 --file-allocation=none --allow-overwrite=true \
           --auto-file-renaming=false --console-log-level=error --summary-interval=0 -q) || return 1
    md5=$(cd "$work/aria2" && measure md5sum -c --quiet "$work/md5.list") || { echo "full install: aria2c copy is wrong" >&2; return 1; }
    aria_s=$(_bench_calc "${aria% *} + ${md5% *}")
    rm -rf "$work/aria2"

    # The launcher: its own check first, then a game update asked for as the game button asks.
    (cd "$work/launcher" && exec /usr/bin/time -f '%M' -o "$work/launcher.peak" \
         "$root/tools/wine-run.sh" ./launcher.exe >/dev/null 2>&1) &
    local launcher_pid=$!
    local post="$root/tools/wine-run.sh $work/post_to_launcher.exe"
    local start end
    local deadline=$((SECONDS + 120))
    until [ -e "$game_dir/tmp_version_map.txt" ] || [ -e "$game_dir/version_map.txt" ]; do
        [ $SECONDS -lt $deadline ] || { echo "full install: the launcher never started the install" >&2; _bench_stop_launcher; return 1; }
        $post 2026 1 0 >/dev/null 2>&1 || true   # show, and update the game (ignored while busy)
        sleep 0.5
    done
    start=$(date +%s.%N)
    deadline=$((SECONDS + 3600))
    until [ -e "$game_dir/version_map.txt" ] && [ ! -e "$game_dir/tmp_version_map.txt" ]; do
        [ $SECONDS -lt $deadline ] || { echo "full install: the launcher did not finish in an hour" >&2; _bench_stop_launcher; return 1; }
        sleep 0.02
    done
    end=$(date +%s.%N)
    launcher_s=$(_bench_calc "$end - $start")
    _bench_stop_launcher
    wait "$launcher_pid" 2>/dev/null || true
    local verdict=ok
    (cd "$game_dir" && md5sum -c --quiet "$work/md5.list" >/dev/null 2>&1) || verdict="WRONG FILES"
    rm -rf "$work/launcher"   # 2 GiB

    local mib=$((bytes / 1048576))
    printf 'full install of %d MiB: launcher %.2f s (%.0f MiB/s, files %s, peak %d MiB); aria2c %.2f s + md5sum %.2f s = %.2f s (aria2c peak %d MiB); ratio %.2f (goal <= 0.7)\n' \
        "$mib" "$launcher_s" "$(_bench_calc "$mib / $launcher_s")" "$verdict" "$(_bench_calc "$(tail -1 "$work/launcher.peak") // 1024")" \
        "${aria% *}" "${md5% *}" "$aria_s" "$(_bench_calc "${aria#* } // 1024")" "$(_bench_calc "$launcher_s / $aria_s")"
}

_bench_calc() {
    python3 -c "print($1)"
}

# Asks the launcher to exit (message 2028), then ends its Wine process if it is still there.
_bench_stop_launcher() {
    $post 2028 0 0 >/dev/null 2>&1 || true
    local i
    for i in $(seq 100); do kill -0 "$launcher_pid" 2>/dev/null || return 0; sleep 0.1; done
    kill "$launcher_pid" 2>/dev/null || true
}

# Runs the command every 0.1 s until it succeeds, at most $1 times.
_bench_wait() {
    local tries=$1 i
    shift
    for i in $(seq "$tries"); do "$@" 2>/dev/null && return 0; sleep 0.1; done
    return 1
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -euo pipefail
    root=$(cd "$(dirname "$0")/../.." && pwd)
    source "$root/tools/display.sh"
    start_display
    trap stop_display EXIT
    bench_full_install "$root" "${1:-${LAUNCHER_BUILD:-$root/build}}"
fi
