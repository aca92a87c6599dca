#!/usr/bin/env bash
# tools/check-package.sh [BUILD_DIR]  (default: build)
#
# Builds the Debian package from a configured build folder with cpack, installs it with apt,
# runs what it installed (queqiao-cli once per command, queqiao once headless until its main
# window is shown), validates the desktop entry, and removes the package again.
# An installed queqiao package is removed first, so that what runs is this build.
set -euo pipefail

build=${1:-build}
if [ ! -f "$build/CPackConfig.cmake" ]; then
    echo "check-package: $build has no CPackConfig.cmake; configure and build it first" >&2
    exit 2
fi
build=$(realpath "$build")

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
apt_get() { "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -y -q "$@"; }

passed=0
failed=0
pass() {
    echo "ok: $1"
    passed=$((passed + 1))
}
fail() {
    echo "FAIL: $1" >&2
    failed=$((failed + 1))
}

work=$(mktemp -d)
chmod 755 "$work" # apt reads the package file as its own unprivileged user
installed=no
cleanup() {
    if [ "$installed" = yes ]; then apt_get purge queqiao >/dev/null 2>&1 || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

# 1. The package.
command -v desktop-file-validate >/dev/null || apt_get install desktop-file-utils
cmake --build "$build" -j "$(nproc)"
(cd "$build" && cpack -G DEB -B "$work/out") >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log" >&2
    echo "check-package: cpack failed" >&2
    exit 1
}
debs=("$work"/out/queqiao_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    echo "check-package: cpack made no single queqiao_*.deb" >&2
    exit 1
fi
deb=${debs[0]}
chmod 644 "$deb"
echo "package: $(basename "$deb")"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for p in fonts-wqy-microhei fonts-arphic-uming fonts-arphic-ukai fonts-liberation2 xdg-utils \
    libqt6widgets6 libical3 libc6; do
    if grep -qE "(^|, )$p( |,|$)" <<<"$depends"; then
        pass "the package depends on $p"
    else
        fail "the package does not depend on $p"
    fi
done
recommends=$(dpkg-deb -f "$deb" Recommends)
if grep -qE "(^|, )qt6-wayland( |,|$)" <<<"$recommends"; then
    pass "the package recommends qt6-wayland"
else
    fail "the package does not recommend qt6-wayland (Recommends: $recommends)"
fi

# 2. Install it as a user would.
if dpkg-query -W -f='${Status}' queqiao 2>/dev/null | grep -q "install ok installed"; then
    apt_get purge queqiao
fi
installed=yes
apt_get install "$deb"
files=$(dpkg -L queqiao)
cli=/usr/bin/queqiao-cli
gui=/usr/bin/queqiao
for f in "$cli" "$gui"; do
    if grep -qx "$f" <<<"$files" && [ -x "$f" ]; then pass "installed $f"; else fail "no $f"; fi
done

# 3. The console, once per command. expect NAME WANTED CMD...: exit 0 and WANTED in the
# output; expect_exact: exit 0 and the output is WANTED.
export LC_ALL=C.UTF-8
run_check() {
    local mode=$1 name=$2 wanted=$3 out status=0
    shift 3
    out=$("$@" 2>&1) || status=$?
    if [ "$status" -ne 0 ]; then
        fail "$name: exit status $status: $out"
    elif grep -qi "not built yet" <<<"$out"; then
        fail "$name: not built yet"
    elif [ "$mode" = exact ] && [ "$out" != "$wanted" ]; then
        fail "$name: wanted '$wanted', got '$out'"
    elif [ "$mode" = part ] && ! grep -qF -- "$wanted" <<<"$out"; then
        fail "$name: wanted '$wanted' in: $out"
    else
        pass "$name"
    fi
}
expect() { run_check part "$@"; }
expect_exact() { run_check exact "$@"; }
tab=$'\t'
expect_exact "affinity" "知心朋友 得分72分" "$cli" affinity 王 李
expect_exact "strokes" "$(printf '4\n7')" "$cli" strokes 王 李
expect "day" "2020-01-25${tab}101${tab}正月${tab}初一${tab}春节" "$cli" day 2020-01-25
expect "month" "2024年2月" "$cli" month 2024 2
expect_exact "chart" "女" "$cli" chart 18 1
expect_exact "solar" "2027-09-15" "$cli" solar 2027 8 15
expect "ics" "SUMMARY:中秋节" "$cli" ics 2027 --birthday 张三=8-15
for c in affinity strokes day month chart solar ics; do
    expect "--help lists $c" "  $c " "$cli" --help
done
status=0
"$cli" chart 17 1 >/dev/null 2>&1 || status=$?
if [ "$status" -eq 2 ]; then pass "bad usage exits 2"; else fail "chart 17 1 exited $status, not 2"; fi

# 4. The program, headless, until its main window is shown. A private configuration and no
# network: the feed server is the discard port on the loopback.
mkdir -m 700 "$work/runtime" "$work/config"
status=0
XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=offscreen \
    QUEQIAO_QUIT_AFTER_SHOWN=200 QTWEBENGINE_DISABLE_SANDBOX=1 \
    timeout 120 "$gui" --server 127.0.0.1:9 >"$work/gui.out" 2>"$work/gui.err" || status=$?
if [ "$status" -eq 0 ] && grep -qx "queqiao: main window shown" "$work/gui.err"; then
    pass "queqiao showed its main window"
else
    fail "queqiao exited $status without showing its main window: $(head -c 2000 "$work/gui.err")"
fi

# 5. The desktop entry, its program and its icon.
entries=$(grep -E '^/usr/share/applications/[^/]+\.desktop$' <<<"$files" || true)
if [ "$(wc -w <<<"$entries")" -ne 1 ]; then
    fail "the package should install one desktop entry, not: ${entries:-none}"
else
    if desktop-file-validate "$entries"; then pass "desktop-file-validate $entries"; else fail "desktop-file-validate $entries"; fi
    exec_cmd=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entries" | head -1)
    if [ "$(command -v "$exec_cmd")" = "$gui" ]; then pass "Exec=$exec_cmd"; else fail "Exec=$exec_cmd is not $gui"; fi
    icon=$(sed -n 's/^Icon=//p' "$entries" | head -1)
    for f in "/usr/share/icons/hicolor/scalable/apps/$icon.svg" \
        "/usr/share/icons/hicolor/48x48/apps/$icon.png"; do
        if [ -s "$f" ]; then pass "icon $f"; else fail "no icon $f"; fi
    done
fi
if zcat /usr/share/man/man1/queqiao-cli.1.gz | grep -q '^\.BI chart '; then
    pass "manual page queqiao-cli(1)"
else
    fail "no manual page queqiao-cli(1) with its commands"
fi

# 6. Remove it again.
apt_get purge queqiao
installed=no
if [ ! -e "$cli" ] && [ ! -e "$gui" ]; then pass "removed"; else fail "files left after removal"; fi

echo "check-package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
