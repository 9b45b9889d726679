#!/bin/bash
# Prepares a Debian machine to build and test the launcher, from nothing, idempotently:
#   1. the apt packages (cross compiler, zlib for mingw, Wine, Xvfb, GoogleTest sources, xdotool, ...)
#   2. deb-src entries derived from the machine's own apt sources
#   3. curl, OpenSSL and jsoncpp cross-built by build-deps.sh, cached outside the checkout
#   4. a Wine prefix, created once per machine
# Prints the dependency prefix as its last line ("deps=<folder>").
set -euo pipefail
shopt -s inherit_errexit

CACHE_ROOT=${LAUNCHER_CACHE:-/var/cache/tarvenor-launcher}
export WINEPREFIX=${WINEPREFIX:-$CACHE_ROOT/wineprefix}
APT_PACKAGES=(cmake ninja-build make perl python3 ccache dpkg-dev g++-mingw-w64-x86-64-posix
              gcc-mingw-w64-x86-64-posix mingw-w64-tools libz-mingw-w64-dev googletest
              wine wine64 xvfb xauth fonts-noto-cjk fonts-tlwg-loma-ttf zip imagemagick xdotool)

log() { echo "setup: $*" >&2; }
as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

install_packages() {
    local missing=()
    for p in "${APT_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return
    log "installing ${missing[*]}"
    as_root apt-get update -qq
    DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
}

# Source entries mirror the machine's binary entries, so no registry host is named here.
enable_sources() {
    local out=/etc/apt/sources.list.d/launcher-deb-src.sources legacy=/etc/apt/sources.list.d/launcher-deb-src.list
    [ -f "$out" ] || [ -f "$legacy" ] && return
    local tmp
    tmp=$(mktemp)
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] || continue
        awk 'BEGIN { RS = ""; ORS = "\n\n" }
             /(^|\n)Types:[^\n]*deb([ \n]|$)/ && !/(^|\n)Types:[^\n]*deb-src/ {
                 sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print }' "$f" >>"$tmp"
    done
    [ -s "$tmp" ] && as_root cp "$tmp" "$out"
    if [ -f /etc/apt/sources.list ] && grep -q '^deb ' /etc/apt/sources.list; then
        grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' >"$tmp"
        as_root cp "$tmp" "$legacy"
    fi
    rm -f "$tmp"
    log "enabled source packages"
    as_root apt-get update -qq
}

create_wine_prefix() {
    [ -f "$WINEPREFIX/.launcher-ready" ] && return
    log "creating the Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    # No Mono or Gecko download prompts; the launcher needs neither.
    WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" wine wineboot -i >&2 2>/dev/null || true
    wineserver -w || true
    [ -d "$WINEPREFIX/drive_c/windows" ] || { log "wineboot failed"; exit 1; }
    touch "$WINEPREFIX/.launcher-ready"
}

as_root mkdir -p "$CACHE_ROOT"
[ -w "$CACHE_ROOT" ] || as_root chown "$(id -u):$(id -g)" "$CACHE_ROOT"
install_packages
enable_sources
deps=$(LAUNCHER_CACHE=$CACHE_ROOT "$(dirname "$0")/build-deps.sh")
create_wine_prefix
echo "deps=$deps"
