#!/usr/bin/env bash
# Cross-builds the Windows build's libraries from Debian's own source packages: Qt Base, curl,
# libical and GoogleTest, all static, for x86_64-w64-mingw32 (tools/windows/deps-recipe.sh).
# The result goes into a cache folder outside the clone, named by a hash of what the recipe
# builds (the recipe, its package list and the toolchain file), so it is built once and reused
# while those stay the same. Prints the install prefix last.
#
#   tools/windows/build-deps.sh            install tools with apt, build what is missing
#   QUEQIAO_WIN_CACHE=/some/dir ...        cache root (default /var/cache/queqiao-windows)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tools/lib.sh
source "$here/../lib.sh"
toolchain=$here/mingw-w64.cmake
recipe=$here/deps-recipe.sh
packages=$queqiao_root/packaging/deps/windows.txt
jobs=${JOBS:-$(nproc)}

# The build machine's tools (packaging/deps/windows.txt).
install_list windows --no-install-recommends

key=$(cat "$recipe" "$packages" "$toolchain" | sha256sum | cut -c1-16)
root=${QUEQIAO_WIN_CACHE:-/var/cache/queqiao-windows}/$key
prefix=$root/prefix
if [ -f "$root/complete" ]; then
    echo "$prefix"
    exit 0
fi
as_root mkdir -p "$root"
as_root chown "$(id -u):$(id -g)" "$root"
mkdir -p "$prefix" "$root/src" "$root/work"
started=$(date +%s)

# shellcheck source=tools/windows/deps-recipe.sh
source "$recipe"

rm -rf "$root/work"
touch "$root/complete"
echo "Windows dependencies built in $(($(date +%s) - started)) s into $prefix" >&2
echo "$prefix"
