#!/bin/bash
# Builds the launcher and runs it under Wine from its own folder (build/run/), on the current
# X display or on an Xvfb started for the run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LAUNCHER_BUILD:-$root/build}
deps=$("$root/tools/setup.sh" | sed -n 's/^deps=//p')
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DLAUNCHER_DEPS_PREFIX="$deps" >/dev/null
cmake --build "$build" --target launcher

run_dir="$build/run"
mkdir -p "$run_dir"
cp "$build/app/launcher.exe" "$run_dir/"

source "$root/tools/display.sh"
start_display
trap stop_display EXIT
echo "run: launcher.exe in $run_dir on display $DISPLAY" >&2
cd "$run_dir" && "$root/tools/wine-run.sh" ./launcher.exe "$@"
