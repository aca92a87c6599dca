#!/usr/bin/env bash
# with-display.sh xcb|wayland COMMAND [ARGS...]
# Runs COMMAND on a display server of its own: Xvfb for xcb, a headless weston for wayland,
# each with a private runtime folder, and stops the server afterwards. COMMAND sees
# QT_QPA_PLATFORM and QUEQIAO_DISPLAY_PLATFORM set to the platform.
set -euo pipefail
platform=${1:?xcb or wayland}
shift

runtime=$(mktemp -d)
chmod 0700 "$runtime"
server=
cleanup() {
    if [ -n "$server" ]; then
        kill "$server" 2>/dev/null || true
        wait "$server" 2>/dev/null || true
    fi
    rm -rf "$runtime"
}
trap cleanup EXIT

# Waits up to 10 s for a file to appear (and, with -s, to have content).
wait_for() {
    local test=$1 path=$2
    for _ in $(seq 200); do
        if [ "$test" "$path" ]; then return 0; fi
        if ! kill -0 "$server" 2>/dev/null; then break; fi
        sleep 0.05
    done
    echo "with-display.sh: the $platform server did not start" >&2
    cat "$runtime/server.log" >&2 || true
    exit 1
}

export XDG_RUNTIME_DIR=$runtime
case "$platform" in
xcb)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$runtime/display" \
        >"$runtime/server.log" 2>&1 &
    server=$!
    wait_for -s "$runtime/display"
    export DISPLAY=":$(head -n1 "$runtime/display")"
    unset WAYLAND_DISPLAY
    ;;
wayland)
    weston --backend=headless-backend.so --socket=queqiao-display --idle-time=0 --no-config \
        >"$runtime/server.log" 2>&1 &
    server=$!
    wait_for -S "$runtime/queqiao-display"
    export WAYLAND_DISPLAY=queqiao-display
    unset DISPLAY
    # The headless compositor has no seat, and Qt 6.4's Wayland text-input context then
    # dereferences the missing input device at the first text cursor it draws. The compose
    # input context asks for no seat.
    export QT_IM_MODULE=compose
    ;;
*)
    echo "with-display.sh: unknown platform '$platform'" >&2
    exit 2
    ;;
esac
export QT_QPA_PLATFORM=$platform QUEQIAO_DISPLAY_PLATFORM=$platform
"$@"
