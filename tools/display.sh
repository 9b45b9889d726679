# Sourced by the test and run scripts: an Xvfb display and a warm wineserver for the session.
# LAUNCHER_XVFB=1 starts a display even when one is set; LAUNCHER_XVFB_SCREEN is its size.
export WINEPREFIX=${WINEPREFIX:-${LAUNCHER_CACHE:-/var/cache/tarvenor-launcher}/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
DISPLAY_PID=

start_display() {
    if [ -z "${DISPLAY:-}" ] || [ "${LAUNCHER_XVFB:-}" = 1 ]; then
        local n=$((90 + RANDOM % 400))
        while [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
        Xvfb ":$n" -screen 0 "${LAUNCHER_XVFB_SCREEN:-1280x800x24}" -nolisten tcp >/dev/null 2>&1 &
        DISPLAY_PID=$!
        export DISPLAY=":$n"
        for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    fi
    wineserver -p 60 </dev/null >/dev/null 2>&1 || true   # one server for every test (2: already up)
    # Start Wine's background services now, detached from the callers' pipes: started by the
    # first test they would inherit its output pipe and keep ctest waiting.
    "$(dirname "${BASH_SOURCE[0]}")/wine-run.sh" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# Wine's desktop process is tied to this display, so the server goes with it.
stop_display() {
    wineserver -k 2>/dev/null || true
    [ -n "$DISPLAY_PID" ] && kill "$DISPLAY_PID" 2>/dev/null || true
}
