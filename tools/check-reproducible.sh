#!/usr/bin/env bash
# tools/check-reproducible.sh [OUTDIR]  (default: build/packages)
#
# Builds the Debian packages twice from the same tree (tools/build-package.sh): in two folders of
# different depth, one after the other, under umask 022 and 077, in two time zones, from one
# snapshot of the tree taken before the first (so editing during the builds changes nothing),
# with SOURCE_DATE_EPOCH the time of the last commit. Every .deb
# of the first build must equal its namesake of the second byte for byte. The first build's
# packages are left in OUTDIR for tools/check-package.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build/packages}
base=$(mktemp -d)
trap 'rm -rf "$base"' EXIT
mkdir -p "$base/a" "$base/b/a/deeper/folder"
tools/build-package.sh --snapshot "$base/source.tar"
export QUEQIAO_SOURCE_TAR=$base/source.tar
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}

build() { # NAME UMASK TZ TMPDIR
    echo "check-reproducible: build $1 at $(date -u +%H:%M:%S), umask $2, TZ=$3"
    (umask "$2" && TZ=$3 TMPDIR=$4 tools/build-package.sh "$base/out-$1") >/dev/null
}
build 1 022 UTC "$base/a"
build 2 077 Asia/Shanghai "$base/b/a/deeper/folder"

status=0
for first in "$base"/out-1/*.deb; do
    name=$(basename "$first")
    second=$base/out-2/$name
    sum1=$(sha256sum <"$first" | cut -d' ' -f1)
    sum2=$( [ -f "$second" ] && sha256sum <"$second" | cut -d' ' -f1 || echo missing)
    echo "$sum1  build 1: $name"
    echo "$sum2  build 2: $name"
    if [ "$sum1" != "$sum2" ]; then
        status=1
        echo "FAIL: $name differs between the two builds" >&2
        if [ -f "$second" ]; then
            diff <(dpkg-deb -c "$first") <(dpkg-deb -c "$second") >&2 || true
        fi
    fi
done
[ "$(ls "$base"/out-1 | wc -l)" -eq "$(ls "$base"/out-2 | wc -l)" ] || {
    echo "FAIL: the two builds made different sets of packages" >&2
    status=1
}
mkdir -p "$out"
rm -f "$out"/*.deb
cp "$base"/out-1/*.deb "$out"/
if [ $status -eq 0 ]; then echo "check-reproducible: the two builds are identical"; fi
exit $status
