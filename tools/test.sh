#!/bin/bash
# Installs what is missing, builds everything for Windows x64 and runs every test under Wine,
# inside an Xvfb display that this script starts and stops. Extra arguments go to ctest.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
deps=$("$root/tools/setup.sh" | sed -n 's/^deps=//p')
build=${LAUNCHER_BUILD:-$root/build}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DLAUNCHER_DEPS_PREFIX="$deps" >/dev/null
cmake --build "$build"

source "$root/tools/display.sh"
start_display
trap stop_display EXIT
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" "$@"
