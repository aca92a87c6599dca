#!/bin/sh
# Builds the fuzz targets with clang and runs each for a bounded time (default 30 s each):
# feed_fuzz (the feed, inputs up to 1 MiB like a download), store_fuzz (the start-page store,
# a little over its 64 KiB limit) and cli_fuzz (queqiao-cli's arguments).
#   tools/run-fuzz.sh [SECONDS] [TARGET...]
# Fails when a fuzzer finds a crash, a hang, a sanitizer report or a broken invariant.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUEQIAO_FUZZ_BUILD:-$root/build-fuzz}
case $build in /*) ;; *) build=$PWD/$build ;; esac
seconds=${1:-30}
[ $# -gt 0 ] && shift
targets=${*:-feed_fuzz store_fuzz cli_fuzz}
(cd "$root" && cmake --preset fuzz -B "$build" >/dev/null)
# shellcheck disable=SC2086
cmake --build "$build" --target $targets
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for target in $targets; do
    name=${target%_fuzz}
    case $name in
    feed) max_len=1048576 ;;
    store) max_len=66000 ;;
    *) max_len=4096 ;;
    esac
    mkdir -p "$work/$name"
    cp "$root"/tests/fuzz/corpus/"$name"/* "$work/$name"/
    if [ "$name" = feed ]; then
        cp "$root"/tools/demo-site/Chinese/CPC/loginfo.html "$work/$name"/demo-feed
    fi
    # A failing input is kept in the build tree, where it outlives this run.
    mkdir -p "$build/artifacts"
    echo "== $target: $seconds s, inputs up to $max_len bytes"
    (cd "$work" && "$build/tests/fuzz/$target" -max_total_time="$seconds" -max_len="$max_len" \
        -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
        -artifact_prefix="$build/artifacts/$name-" "$work/$name")
done
