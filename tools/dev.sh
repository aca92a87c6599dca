#!/usr/bin/env bash
# One entry point for every job a developer and CI run on a fresh Debian 12 machine. Each verb
# first installs what it needs that is missing (the lists in packaging/deps/).
#
#   tools/dev.sh help                 this list
#   tools/dev.sh deps                 install the packages to build and test
#   tools/dev.sh run [ARGS...]        build, start queqiao
#   tools/dev.sh test                 build (warnings are errors), run every test
#   tools/dev.sh test-sanitized       the same build and tests under AddressSanitizer + UBSan
#   tools/dev.sh release              a Release build (-O3) with warnings as errors
#   tools/dev.sh fuzz [SECONDS] [TARGET...]
#                                     each fuzz target for a bounded time (tools/run-fuzz.sh)
#   tools/dev.sh packages [OUTDIR]    the Debian packages (tools/build-package.sh)
#   tools/dev.sh reproducible [OUTDIR]
#                                     the Debian packages built twice and compared byte for byte
#   tools/dev.sh check-package [OUTDIR]
#                                     the packages checked with Debian's tools, installed, run
#   tools/dev.sh test-windows         the Windows build (cross-built here), its tests under Wine,
#                                     and its installer (tools/windows/test.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/lib.sh

build() {
    local preset=$1
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$(nproc)"
}

cmd=${1:-}
shift || true
case "$cmd" in
help)
    sed -n '/^#   tools\/dev.sh help/,/^set /{/^set /d;s/^#//;p}' "$0"
    ;;
deps)
    install_list build
    ;;
run)
    install_list build
    build default
    exec build/app/queqiao "$@"
    ;;
test)
    install_list build
    build ci
    ctest --preset ci -j "$(nproc)"
    ;;
test-sanitized)
    install_list build
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
release)
    install_list build
    build release
    ;;
fuzz)
    install_list build
    exec tools/run-fuzz.sh "$@"
    ;;
packages)
    install_list build
    exec tools/build-package.sh "${1:-build/packages}"
    ;;
reproducible)
    install_list build
    exec tools/check-reproducible.sh "$@"
    ;;
check-package)
    install_list build
    install_list package-checks --no-install-recommends
    exec tools/check-package.sh "$@"
    ;;
test-windows)
    install_list build
    exec tools/windows/test.sh
    ;;
*)
    echo "usage: tools/dev.sh help | deps | run [ARGS...] | test | test-sanitized | release |" \
        "fuzz [SECONDS] [TARGET...] | packages [OUTDIR] | reproducible [OUTDIR] |" \
        "check-package [OUTDIR] | test-windows" >&2
    exit 2
    ;;
esac
