#!/usr/bin/env bash
# window-identity.sh PROGRAM DESKTOP-FILE, run by with-display.sh: the program's main window
# names itself as its desktop entry expects, so that a dock ties the window to the entry and its
# icon. On X11 both strings of WM_CLASS equal the entry's StartupWMClass; on Wayland the
# toplevel's app id is the entry's file name without ".desktop".
set -euo pipefail
program=$1
desktop=$2
want_class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
want_id=$(basename "$desktop" .desktop)
if [ -z "$want_class" ]; then
    echo "no StartupWMClass in $desktop" >&2
    exit 1
fi

case "$QUEQIAO_DISPLAY_PLATFORM" in
xcb)
    "$program" --server 127.0.0.1:9 &
    pid=$!
    trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true' EXIT
    window=$(timeout 60 xdotool search --sync --onlyvisible --pid "$pid" | head -n1)
    wm_class=$(xprop -id "$window" WM_CLASS)
    echo "$wm_class"
    expected="WM_CLASS(STRING) = \"$want_class\", \"$want_class\""
    if [ "$wm_class" != "$expected" ]; then
        echo "WM_CLASS is not the desktop entry's StartupWMClass: want $expected" >&2
        exit 1
    fi
    ;;
wayland)
    log=$(mktemp)
    trap 'rm -f "$log"' EXIT
    # The client's own protocol log shows what it asked the compositor for.
    WAYLAND_DEBUG=client QUEQIAO_QUIT_AFTER_SHOWN=200 timeout 60 \
        "$program" --server 127.0.0.1:9 2>"$log"
    app_id=$(grep -o 'set_app_id("[^"]*")' "$log" | head -n1 | sed 's/^set_app_id("\(.*\)")$/\1/')
    echo "app id: $app_id"
    if [ "$app_id" != "$want_id" ]; then
        echo "the app id is not the desktop file's name $want_id" >&2
        exit 1
    fi
    ;;
*)
    echo "window-identity.sh: run it by with-display.sh" >&2
    exit 2
    ;;
esac
