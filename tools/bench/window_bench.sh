#!/bin/bash
# Times real skinned windows under Wine: opening one from a skin (create, build, arrange, first
# paint; goal under 100 ms for about 300 controls) and a full repaint (goal under 16 ms).
#   tools/bench/window_bench.sh [windows (default 10)] [repaints per window (default 20)]
#   BENCH_RESOURCES, BENCH_SKIN  another skin (default: tests/ui/skins, bench/skin.xml)
#   LAUNCHER_BUILD               the build folder (default <checkout>/build)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${LAUNCHER_BUILD:-$root/build}
resources=${BENCH_RESOURCES:-$root/tests/ui/skins}
skin=${BENCH_SKIN:-bench/skin.xml}

deps=$("$root/tools/setup.sh" | sed -n 's/^deps=//p')
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DLAUNCHER_DEPS_PREFIX="$deps" >/dev/null
cmake --build "$build" --target window_bench >/dev/null

source "$root/tools/display.sh"
start_display
trap stop_display EXIT
# Now and then Wine ends a process before it runs, with exit code 0: a run without figures is
# started again.
for attempt in 1 2 3; do
    figures=$("$root/tools/wine-run.sh" "$build/tests/window_bench.exe" "Z:$(realpath "$resources" | tr / '\\')" \
              "$skin" "$@")
    if [ -n "$figures" ]; then
        printf '%s\n' "$figures"
        exit 0
    fi
    echo "window_bench: no figures from run $attempt of 3" >&2
done
exit 1
