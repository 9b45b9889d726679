#!/bin/bash
# Renders a skin the way the launcher shows it, without the launcher:
#   tools/skin-render.sh RESOURCES SKIN OUT.png [--dpi PERCENT] [--lang CODE] [--tree TREE.json]
# RESOURCES is a folder holding resources/ (resources/themes/default/global.xml, resources/lang/,
# skins, images) or a .zip whose items start with resources/. SKIN is a skin path under the theme
# folder, for example main/skin.xml. The skin becomes a real window under Wine, on an Xvfb
# started for the run, at the skin's own size, with the DPI scale PERCENT (default 100) and the
# language CODE (default en); what the window painted (alpha and shadow kept) is written to
# OUT.png, and with --tree its control tree to TREE.json. A skin that cannot be loaded or built
# ends the run non-zero with the parser's or builder's error.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LAUNCHER_BUILD:-$root/build}

if [ $# -lt 3 ]; then
    echo "usage: $0 RESOURCES SKIN OUT.png [--dpi PERCENT] [--lang CODE] [--tree TREE.json]" >&2
    exit 2
fi

deps=$("$root/tools/setup.sh" | sed -n 's/^deps=//p')
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DLAUNCHER_DEPS_PREFIX="$deps" >/dev/null
if ! built=$(cmake --build "$build" --target skin_render 2>&1); then
    echo "$built" >&2
    exit 1
fi

# Paths go to the program as Windows paths on Wine's Z: drive; the skin path stays as given.
windows_path() { printf 'Z:%s' "$(realpath -m "$1")" | tr / '\\'; }
png=$3
args=("$(windows_path "$1")" "$2" "$(windows_path "$png")")
shift 3
while [ $# -gt 0 ]; do
    case "$1" in
        --tree) [ $# -ge 2 ] || { echo "--tree needs a value" >&2; exit 2; }
                args+=(--tree "$(windows_path "$2")"); shift 2 ;;
        *) args+=("$1"); shift ;;
    esac
done

# A display of its own, large enough for the biggest launcher window at 200 %.
export LAUNCHER_XVFB=1 LAUNCHER_XVFB_SCREEN=${LAUNCHER_XVFB_SCREEN:-3840x2160x24}
source "$root/tools/display.sh"
start_display
trap stop_display EXIT
# Now and then Wine ends a process before it runs, with exit code 0: a run that wrote no
# picture is started again.
rm -f "$png"
for attempt in 1 2 3; do
    "$root/tools/wine-run.sh" "$build/tools/skin_render/skin_render.exe" "${args[@]}" || exit
    [ -e "$png" ] && exit 0
    echo "skin-render: no picture from run $attempt of 3" >&2
done
exit 1
