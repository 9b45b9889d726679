#!/bin/bash
# Times the launcher's main window under Wine: the cold start (process start to the first
# painted main window; goal under 1 s) and a full repaint of the window (goal under 16 ms). Each
# round starts launcher.exe afresh in a folder of its own (first run, no publisher: the update
# requests fail quietly); prints every round's figures and the medians.
#   tools/bench/main_window_bench.sh [rounds (default 5)] [repaints per round (default 50)]
#   LAUNCHER_BUILD  the build folder (default <checkout>/build)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${LAUNCHER_BUILD:-$root/build}
rounds=${1:-5}
repaints=${2:-50}
source "$root/tools/bench/measure.sh"

deps=$("$root/tools/setup.sh" | sed -n 's/^deps=//p')
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DLAUNCHER_DEPS_PREFIX="$deps" >/dev/null
cmake --build "$build" --target launcher >/dev/null
work="$build/bench/main_window"
mkdir -p "$work"
x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -Wall -Wextra -municode -static \
    -o "$work/main_window_timer.exe" "$root/tools/bench/main_window_timer.cpp"

source "$root/tools/display.sh"
start_display
trap stop_display EXIT
starts=()
paints=()
for round in $(seq "$rounds"); do
    rm -rf "$work/launcher"
    mkdir -p "$work/launcher"
    cp "$build/app/launcher.exe" "$work/launcher/"
    figures=$(cd "$work/launcher" && "$root/tools/wine-run.sh" "$work/main_window_timer.exe" launcher.exe "$repaints")
    echo "round $round: $(echo $figures)"
    starts+=("$(awk '/^cold_start_ms/ { print $2 }' <<<"$figures")")
    paints+=("$(awk '/^repaint_ms/ { print $2 }' <<<"$figures")")
done
echo "cold start, median of $rounds: $(median "${starts[@]}") ms (goal under 1000 ms)"
echo "full repaint, median of $rounds: $(median "${paints[@]}") ms (goal under 16 ms)"
