#!/bin/bash
# Scrolls a virtual list from the top to the bottom by wheel steps under Wine, in a real
# window, and prints for every step the longest message handled while it ran (the goal: each
# under one 16 ms frame) and the private memory; then the same for a list a hundred times
# shorter, so that memory can be compared across row counts.
#   tools/bench/virtual_list_bench.sh [rows (default 100000)] [notches per wheel message (default 10)]
#   LAUNCHER_BUILD  the build folder (default <checkout>/build)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${LAUNCHER_BUILD:-$root/build}
rows=${1:-100000}
notches=${2:-10}

deps=$("$root/tools/setup.sh" | sed -n 's/^deps=//p')
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DLAUNCHER_DEPS_PREFIX="$deps" >/dev/null
cmake --build "$build" --target virtual_list_bench >/dev/null

source "$root/tools/display.sh"
start_display
trap stop_display EXIT
"$root/tools/wine-run.sh" "$build/tests/virtual_list_bench.exe" "$rows" "$notches"
echo "--- the same list with $((rows / 100)) rows, for the memory in the row count"
"$root/tools/wine-run.sh" "$build/tests/virtual_list_bench.exe" "$((rows / 100))" "$notches" | tail -3
