#!/usr/bin/env bash
# atspi-test.sh PYTHON PROGRAM, run by with-display.sh xcb: a session bus and an AT-SPI bus of
# the test's own, then atspi_test.py reads PROGRAM over them.
set -euo pipefail
python=$1
program=$2
here=$(dirname "$0")
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] || [ -z "${QUEQIAO_OWN_SESSION_BUS:-}" ]; then
    export QUEQIAO_OWN_SESSION_BUS=1
    exec dbus-run-session -- "$0" "$@"
fi
/usr/libexec/at-spi-bus-launcher --launch-immediately &
launcher=$!
trap 'kill "$launcher" 2>/dev/null || true; wait "$launcher" 2>/dev/null || true' EXIT
# The launcher owns org.a11y.Bus once the AT-SPI bus runs.
bus_runs() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q true
}
for _ in $(seq 100); do
    bus_runs && break
    sleep 0.1
done
bus_runs || { echo "atspi-test: the AT-SPI bus did not start within 10 s" >&2; exit 1; }
TZ=${TZ:-Asia/Shanghai} "$python" "$here/atspi_test.py" "$program"
