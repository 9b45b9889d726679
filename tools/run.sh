#!/bin/bash
# Builds the launcher and runs it under Wine from its own folder (build/run/), on the current
# X display or on an Xvfb started for the run, against the local sample publisher: the launcher
# installs the sample game from it and shows its activity page (through the stand-in browser
# runtime of tools/browser_runtime, copied into cef/), and `python3 tools/publisher --advance`
# (from another shell, while this runs) publishes the next version so that the launcher updates
# the game.
#   tools/run.sh [--fresh] [--screenshots DIR] [launcher arguments...]
# --fresh empties build/run/ and offers the sample's first version again. --screenshots DIR also
# saves a PNG of the whole screen every 2 seconds into DIR (screen-0000.png, ...), so that what
# the launcher showed can be looked at on a machine without a display, and clicks the game
# button (xdotool) so that they show an install and then an update. PUBLISHER_PORT moves
# the publisher off 18480 (the launcher's built-in endpoints then reach only what setting.json
# names: the gate and the tracking sink).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LAUNCHER_BUILD:-$root/build}
port=${PUBLISHER_PORT:-18480}
fresh=()
screenshots=
while [ $# -gt 0 ]; do
    case "$1" in
        --fresh) fresh=(--reset); shift ;;
        --screenshots) [ $# -ge 2 ] || { echo "--screenshots needs a folder" >&2; exit 2; }
                       screenshots=$(realpath -m "$2"); shift 2 ;;
        *) break ;;
    esac
done
deps=$("$root/tools/setup.sh" | sed -n 's/^deps=//p')
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DLAUNCHER_DEPS_PREFIX="$deps" >/dev/null
cmake --build "$build" --target launcher KORU browser_runtime

run_dir="$build/run"
[ ${#fresh[@]} -eq 0 ] || rm -rf "$run_dir"
mkdir -p "$run_dir"
cp "$build/app/launcher.exe" "$run_dir/"
# The stand-in browser runtime beside it, where the launcher looks for it.
rm -rf "$run_dir/cef"
cp -r "$build/app/cef" "$run_dir/cef"

# The publisher reads its stdin until EOF: when this script ends, however it ends, so does it.
ready="$build/publisher.ready"
rm -f "$ready"
exec 3> >(exec python3 "$root/tools/publisher" --port "$port" --game-exe "$build/tests/KORU.exe" \
              --sample "$build/sample_publisher/demo" --write-setting "$run_dir/save/setting.json" \
              "${fresh[@]}" >"$ready")
publisher=$!
for _ in $(seq 600); do
    grep -q '^READY' "$ready" 2>/dev/null && break
    kill -0 "$publisher" 2>/dev/null || { echo "run: the sample publisher did not start" >&2; exit 1; }
    sleep 0.1
done
grep -q '^READY' "$ready" || { echo "run: the sample publisher did not get ready in time" >&2; exit 1; }

source "$root/tools/display.sh"
start_display
shooter=
clicker=
if [ -n "$screenshots" ]; then
    mkdir -p "$screenshots"
    # ImageMagick's import reads the X screen; a failed grab (the display going away) is skipped.
    ( n=0
      while true; do
          import -display "$DISPLAY" -window root "$(printf '%s/screen-%04d.png' "$screenshots" "$n")" 2>/dev/null || true
          n=$((n + 1))
          sleep 2
      done ) &
    shooter=$!
    # From 127.0.0.1 an install ends between two screenshots: the big file of every sample
    # version comes at 1 MiB/s per request, so that they show the progress.
    # The update's largest patch comes at 8 KiB/s for the same reason.
    throttle() {
        python3 -c 'import sys, urllib.request; urllib.request.urlopen(sys.argv[1], sys.argv[2].encode())' \
            "http://127.0.0.1:$port/_control/fault" "{\"path\": \"$1\", \"throttle\": $2}" >/dev/null
    }
    for version in 10077_0_1 10077_0_2 10077_0_3; do
        throttle "/*/game/$version/KORU_Data/sharedassets0.assets" 1048576
    done
    throttle "/*/game/10077_0_3/patchs/10077_0_1/KORU_Data/sharedassets0.assets.patch" 8192
    # Real clicks on the game button (xdotool), at its place: the right end of the bottom band,
    # 40 from the right edge, 280 x 80, its bottom 12 above the window's. The first, once the
    # main window has shown for a few seconds (its start-up check done), installs the game,
    # which then starts and hides the window. The sample game ends by itself after 15 s; then
    # the publisher moves on to its last version (past the one pre-downloaded meanwhile, so that
    # the update has patches to fetch), the launcher is started again as a player would (which
    # brings its window back) and the second click updates the game.
    export KORU_TIMEOUT_MS=15000
    ( main_window() { xdotool search --onlyvisible --name '^Launcher$' 2>/dev/null | head -1 || true; }
      click_game_button() {
          local window=
          for _ in $(seq 120); do
              window=$(main_window)
              [ -n "$window" ] && break
              sleep 0.5
          done
          [ -n "$window" ] || { echo "run: no main window to click" >&2; return 1; }
          sleep 5
          eval "$(xdotool getwindowgeometry --shell "$window")"
          xdotool mousemove --window "$window" $((WIDTH - 180)) $((HEIGHT - 52)) click 1
          echo "run: clicked the game button" >&2
      }
      click_game_button || exit 0
      for _ in $(seq 600); do [ -z "$(main_window)" ] && break; sleep 0.5; done
      sleep 20
      python3 "$root/tools/publisher" --advance --port "$port" >/dev/null
      python3 "$root/tools/publisher" --advance --port "$port" >/dev/null
      echo "run: the publisher offers its last version" >&2
      (cd "$run_dir" && "$root/tools/wine-run.sh" ./launcher.exe) &
      click_game_button || exit 0 ) &
    clicker=$!
    echo "run: a screenshot every 2 seconds into $screenshots" >&2
fi
# Wine's processes inherit the publisher's stdin: stop them before closing it.
trap '[ -z "$shooter" ] || kill "$shooter" "$clicker" 2>/dev/null; stop_display; exec 3>&-; wait "$publisher" 2>/dev/null || true' EXIT
echo "run: launcher.exe in $run_dir on display $DISPLAY; sample publisher on 127.0.0.1:$port" >&2
echo "run: publish the next sample version with: python3 $root/tools/publisher --advance --port $port" >&2
cd "$run_dir" && "$root/tools/wine-run.sh" ./launcher.exe "$@"
