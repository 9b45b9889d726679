#!/bin/bash
# Runs a Windows executable under the project's Wine prefix, quietly.
export WINEPREFIX=${WINEPREFIX:-${LAUNCHER_CACHE:-/var/cache/tarvenor-launcher}/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
exec wine "$@"
