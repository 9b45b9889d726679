#!/bin/bash
# Cross-builds curl (HTTP and HTTPS only, over OpenSSL and zlib), OpenSSL and jsoncpp as static
# mingw libraries from Debian's source packages. The result is cached under a key made of the
# offered source versions, the compiler and this recipe; a warm run only prints the prefix.
set -euo pipefail
shopt -s inherit_errexit

CACHE_ROOT=${LAUNCHER_CACHE:-/var/cache/tarvenor-launcher}
HOST=x86_64-w64-mingw32
log() { echo "build-deps: $*" >&2; }

source_versions() {  # every version the source index offers, newest first
    apt-cache showsrc "$1" | awk '/^Version:/ { print $2 }' | sort -rV | uniq
}

# Fetches and unpacks the newest source version a mirror actually serves (some mirrors lag the index).
fetch_source() {
    local pkg=$1
    for v in $(source_versions "$pkg"); do
        apt-get source -qq "$pkg=$v" >&2 2>/dev/null && return 0
        log "source $pkg=$v not available, trying an older one"
    done
    log "no source of $pkg could be fetched"
    return 1
}

build_openssl() {
    local src=$1 prefix=$2
    (cd "$src" && ./Configure mingw64 no-shared no-tests --cross-compile-prefix=$HOST- \
        --prefix="$prefix" --libdir=lib >&2 && make -j"$(nproc)" build_libs >&2 && make install_dev >&2)
}

build_jsoncpp() {
    local src=$1 prefix=$2 toolchain=$3
    cmake -S "$src" -B "$src/_build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF -DBUILD_STATIC_LIBS=ON -DBUILD_OBJECT_LIBS=OFF \
        -DJSONCPP_WITH_TESTS=OFF -DJSONCPP_WITH_POST_BUILD_UNITTEST=OFF -DJSONCPP_WITH_PKGCONFIG_SUPPORT=OFF \
        -DJSONCPP_WITH_CMAKE_PACKAGE=OFF >&2
    cmake --build "$src/_build" >&2 && cmake --install "$src/_build" >&2
}

build_curl() {  # HTTP and HTTPS only, over OpenSSL and zlib
    local src=$1 prefix=$2 toolchain=$3
    cmake -S "$src" -B "$src/_build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF -DBUILD_CURL_EXE=OFF -DBUILD_TESTING=OFF \
        -DCURL_USE_OPENSSL=ON -DOPENSSL_INCLUDE_DIR="$prefix/include" -DOPENSSL_CRYPTO_LIBRARY="$prefix/lib/libcrypto.a" \
        -DOPENSSL_SSL_LIBRARY="$prefix/lib/libssl.a" -DLIB_EAY="$prefix/lib/libcrypto.a" -DSSL_EAY="$prefix/lib/libssl.a" \
        -DCURL_ZLIB=ON \
        -DZLIB_INCLUDE_DIR=/usr/$HOST/include -DZLIB_LIBRARY=/usr/$HOST/lib/libz.a \
        -DHTTP_ONLY=ON -DCURL_DISABLE_LDAP=ON -DCURL_DISABLE_LDAPS=ON -DCURL_USE_LIBSSH2=OFF -DCURL_USE_LIBPSL=OFF \
        -DCURL_BROTLI=OFF -DCURL_ZSTD=OFF -DUSE_NGHTTP2=OFF -DUSE_LIBIDN2=OFF -DENABLE_UNICODE=OFF \
        -DCURL_DISABLE_ALTSVC=ON -DCURL_DISABLE_COOKIES=OFF -DENABLE_MANUAL=OFF -DCURL_CA_BUNDLE=none -DCURL_CA_PATH=none >&2
    cmake --build "$src/_build" >&2 && cmake --install "$src/_build" >&2
}

build_dependencies() {
    local key toolchain prefix work
    toolchain="$(cd "$(dirname "$0")/.." && pwd)/cmake/mingw-w64-x86_64.cmake"
    key=$( (for p in openssl curl libjsoncpp; do source_versions "$p"; done; "$HOST-g++-posix" -dumpversion; sha1sum "$0" "$toolchain" | cut -c1-12) | sha1sum | cut -c1-16)
    prefix="$CACHE_ROOT/deps-$key"
    if [ -f "$prefix/.complete" ]; then echo "$prefix"; return; fi
    log "cross-building curl, openssl and jsoncpp into $prefix"
    work=$(mktemp -d "$CACHE_ROOT/src.XXXXXX")
    (cd "$work" && fetch_source openssl && fetch_source curl && fetch_source libjsoncpp)
    rm -rf "$prefix"
    build_openssl "$(ls -d "$work"/openssl-*/ | head -n1)" "$prefix"
    build_jsoncpp "$(ls -d "$work"/libjsoncpp-*/ | head -n1)" "$prefix" "$toolchain"
    build_curl "$(ls -d "$work"/curl-*/ | head -n1)" "$prefix" "$toolchain"
    rm -rf "$work"
    touch "$prefix/.complete"
    echo "$prefix"
}

build_dependencies
