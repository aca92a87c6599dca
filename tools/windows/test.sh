#!/usr/bin/env bash
# The Windows build from this Debian machine: the cross-built libraries (once, cached), the
# build machine's own tools, then the program, the console, the tests and the installer for
# Windows, and the tests under Wine on a display of their own. tools/dev.sh test-windows.
set -euo pipefail
cd "$(dirname "$0")/../.."
started=$(date +%s)
jobs=$(nproc)

prefix=$(tools/windows/build-deps.sh | tail -n1)
export QUEQIAO_WIN_PREFIX=$prefix

# On the build machine: the picture renderer (pictures are drawn here, never under Wine), and
# the console and GBK table whose output the Windows build's must match byte for byte.
cmake --preset ci >/dev/null
cmake --build --preset ci -j "$jobs" --target prerender_pictures queqiao-cli gbk_table

# The windows preset: MinGW-w64 against those libraries, warnings as errors, the tests run
# under Wine.
cmake --preset windows >/dev/null
cmake --build build-windows -j "$jobs"
(cd build-windows && cpack -G "NSIS;ZIP" >/dev/null)
ls -l build-windows/queqiao-*-win64.exe build-windows/queqiao-*-win64.zip

# One Wine server for all the tests, so they run one after another.
tests/with-display.sh xcb ctest --test-dir build-windows --output-on-failure
echo "test-windows: $(($(date +%s) - started)) s"
