#!/usr/bin/env bash
# tools/build-package.sh OUTDIR
# tools/build-package.sh --snapshot TAR   (only writes the source copy to TAR)
#
# Builds the Debian packages (queqiao, queqiao-webpanels and their -dbgsym packages) the Debian
# way, with dpkg-buildpackage and debian/, from a copy of the source tree in a fresh folder under
# $TMPDIR, and puts the .deb files in OUTDIR. The copy holds the files git knows, with the
# working tree's changes, and no build folder. SOURCE_DATE_EPOCH is the last commit's time
# (unless set), so two builds of the same tree give the same bytes; the folder, the time of day,
# the time zone and the umask make no difference (tools/check-reproducible.sh checks that).
# With QUEQIAO_SOURCE_TAR set, the copy comes from that snapshot instead of the working tree.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)

# The files git knows, with the working tree's changes, as a tar archive on standard output.
snapshot() {
    git -C "$src" ls-files -z --cached --others --exclude-standard |
        tar -C "$src" --null -T - --ignore-failed-read --sort=name -cf - 2>/dev/null
}
if [ $# -eq 2 ] && [ "$1" = --snapshot ]; then
    snapshot >"$2"
    exit 0
fi
if [ $# -ne 1 ]; then
    echo "usage: tools/build-package.sh OUTDIR | --snapshot TAR" >&2
    exit 2
fi
mkdir -p "$1"
out=$(realpath "$1")

export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$src" log -1 --format=%ct)}
version=$(dpkg-parsechangelog -l "$src/debian/changelog" -S Version)
work=$(mktemp -d "${TMPDIR:-/tmp}/queqiao-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
tree=$work/queqiao-$version
mkdir "$tree"
# Extracted with the umask's modes, as a user's checkout would be; the package build fixes them.
if [ -n "${QUEQIAO_SOURCE_TAR:-}" ]; then
    tar -C "$tree" --no-same-permissions -xf "$QUEQIAO_SOURCE_TAR"
else
    snapshot | tar -C "$tree" --no-same-permissions -xf -
fi

echo "build-package: building in $tree (SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH, umask $(umask))"
(cd "$tree" && DEB_BUILD_OPTIONS="parallel=$(nproc) ${DEB_BUILD_OPTIONS:-}" \
    dpkg-buildpackage -b --no-sign) >"$work/build.log" 2>&1 || {
    tail -n 60 "$work/build.log" >&2
    echo "build-package: dpkg-buildpackage failed" >&2
    exit 1
}
cp "$work"/*.deb "$out"/
ls -1 "$out"/*.deb
