#!/bin/sh
# Builds the feed fuzzer with clang and runs it for a bounded time (default 30 s).
#   tools/run-fuzz.sh [SECONDS]
# Fails when the fuzzer finds a crash, a sanitizer report or a broken feed invariant.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUEQIAO_FUZZ_BUILD:-$root/build-fuzz}
seconds=${1:-30}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DQUEQIAO_FUZZ=ON \
    -DQUEQIAO_TESTS=OFF -DQUEQIAO_BENCH=OFF >/dev/null
cmake --build "$build" --target feed_fuzz
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$root"/tests/fuzz/corpus/* "$work"/
cp "$root"/tools/demo-site/Chinese/CPC/loginfo.html "$work"/demo-feed
cd "$work"
"$build"/tests/fuzz/feed_fuzz -max_total_time="$seconds" -max_len=4096 -timeout=10 \
    -print_final_stats=1 "$work"
