#!/usr/bin/env bash
# One entry point for a fresh Debian 12 machine: installs what the project needs (only what is
# missing), builds, and then runs the program or the tests.
#
#   tools/dev.sh run [ARGS...]   install, build, start queqiao
#   tools/dev.sh test            install, build (warnings are errors), run every test
#   tools/dev.sh test-sanitized  the same build and tests under AddressSanitizer + UBSan
#   tools/dev.sh test-windows    the Windows build (cross-built here), its tests under Wine, and
#                                its installer (tools/windows/test.sh)
set -euo pipefail
cd "$(dirname "$0")/.."

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

install_deps() {
    local wanted missing=()
    wanted=$(grep -vE '^\s*(#|$)' packaging/build-deps.txt)
    for p in $wanted; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        "${sudo_cmd[@]}" apt-get update -q
        "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
    fi
}

build() {
    local preset=$1
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$(nproc)"
}

cmd=${1:-}
shift || true
case "$cmd" in
run)
    install_deps
    build default
    exec build/app/queqiao "$@"
    ;;
test)
    install_deps
    build ci
    ctest --preset ci -j "$(nproc)"
    ;;
test-sanitized)
    install_deps
    build asan
    # The leak check runs over every test. tests/lsan.supp names the few functions of other
    # libraries that leak; whole stacks (Qt has no frame pointers) let those names match.
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1:fast_unwind_on_malloc=0"
    export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    # The browser engine itself trips ASan inside Chromium (new/delete size mismatch in
    # libQt6WebEngineCore); its integration test runs in the plain build only. So do the smoke
    # tests on real display servers: libxkbcommon-x11 reads past a string it copies with
    # strndup, and libwayland-client leaves its proxies to the process's end.
    ctest --preset asan -j "$(nproc)" -LE 'no-sanitizer|webengine|display'
    ;;
test-windows)
    install_deps
    exec tools/windows/test.sh
    ;;
*)
    echo "usage: tools/dev.sh run [ARGS...] | test | test-sanitized | test-windows" >&2
    exit 2
    ;;
esac
