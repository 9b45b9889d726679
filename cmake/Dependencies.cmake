# Imported targets for the third-party libraries: zlib from the mingw package, and curl, OpenSSL
# and jsoncpp from the prefix that tools/build-deps.sh fills.

# zlib's static archive from the mingw package, so that executables import no zlib1.dll.
set(LAUNCHER_ZLIB_ARCHIVE /usr/x86_64-w64-mingw32/lib/libz.a)
if(NOT EXISTS ${LAUNCHER_ZLIB_ARCHIVE})
    message(FATAL_ERROR "${LAUNCHER_ZLIB_ARCHIVE} is missing: install libz-mingw-w64-dev (tools/setup.sh does)")
endif()
add_library(ZLIB::ZLIB STATIC IMPORTED GLOBAL)
set_target_properties(ZLIB::ZLIB PROPERTIES IMPORTED_LOCATION ${LAUNCHER_ZLIB_ARCHIVE}
                      INTERFACE_INCLUDE_DIRECTORIES /usr/x86_64-w64-mingw32/include)

if(NOT LAUNCHER_DEPS_PREFIX OR NOT EXISTS ${LAUNCHER_DEPS_PREFIX}/lib/libcurl.a)
    message(FATAL_ERROR "LAUNCHER_DEPS_PREFIX must name the output of tools/build-deps.sh (tools/test.sh sets it)")
endif()

function(launcher_import name library)
    add_library(${name} STATIC IMPORTED GLOBAL)
    set_target_properties(${name} PROPERTIES
        IMPORTED_LOCATION ${LAUNCHER_DEPS_PREFIX}/lib/${library}
        INTERFACE_INCLUDE_DIRECTORIES ${LAUNCHER_DEPS_PREFIX}/include)
endfunction()

launcher_import(deps_crypto libcrypto.a)
set_property(TARGET deps_crypto PROPERTY INTERFACE_LINK_LIBRARIES ws2_32 crypt32 advapi32 user32 gdi32)
launcher_import(deps_ssl libssl.a)
set_property(TARGET deps_ssl PROPERTY INTERFACE_LINK_LIBRARIES deps_crypto)
launcher_import(deps_jsoncpp libjsoncpp.a)
launcher_import(deps_curl libcurl.a)
set_property(TARGET deps_curl PROPERTY INTERFACE_LINK_LIBRARIES deps_ssl ZLIB::ZLIB ws2_32 crypt32 bcrypt advapi32)
set_property(TARGET deps_curl PROPERTY INTERFACE_COMPILE_DEFINITIONS CURL_STATICLIB)

add_library(deps::jsoncpp ALIAS deps_jsoncpp)
add_library(deps::curl ALIAS deps_curl)
