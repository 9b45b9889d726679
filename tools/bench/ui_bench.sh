#!/bin/bash
# Times full layouts and full paints of a tree of mixed controls (boxes, tiles, nine-part and
# tiled images, borders, text) into a 1280x800 bitmap under Wine and prints the medians.
#   tools/bench/ui_bench.sh [controls (default 1000)] [rounds (default 50)]
#   LAUNCHER_BUILD  the build folder (default <checkout>/build)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${LAUNCHER_BUILD:-$root/build}

deps=$("$root/tools/setup.sh" | sed -n 's/^deps=//p')
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DLAUNCHER_DEPS_PREFIX="$deps" >/dev/null
cmake --build "$build" --target ui_bench >/dev/null

source "$root/tools/display.sh"
start_display
trap stop_display EXIT
"$root/tools/wine-run.sh" "$build/tests/ui_bench.exe" "$@"
