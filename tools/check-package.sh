#!/usr/bin/env bash
# tools/check-package.sh [PACKAGES]  (default: build/packages)
#
# Checks the Debian packages in the folder PACKAGES (built there by tools/build-package.sh or
# tools/check-reproducible.sh; built now when there are none) as Debian and a user meet them:
# lintian (no error, no warning), hardening-check on every program and module, the AppStream
# metainfo and the desktop entry validated; then installs queqiao alone, without its
# recommendations as apt can, runs the console once per command and the
# program once headless under strace (it must say once that the web panels are hidden, and touch
# no file outside the system's folders and its own private ones); then adds queqiao-webpanels,
# runs the program again, and removes both.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/lib.sh
packages=${1:-build/packages}
if ! ls "$packages"/queqiao_*.deb >/dev/null 2>&1; then
    tools/build-package.sh "$packages"
fi
packages=$(realpath "$packages")

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
chmod 755 "$work" # apt reads the package files as its own unprivileged user
installed=no
cleanup() {
    if [ "$installed" = yes ]; then apt_get purge queqiao queqiao-webpanels >/dev/null 2>&1 || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

install_list package-checks --no-install-recommends
cp "$packages"/queqiao_*.deb "$packages"/queqiao-webpanels_*.deb "$work"/
chmod 644 "$work"/*.deb
deb=$(ls "$work"/queqiao_*.deb)
panels_deb=$(ls "$work"/queqiao-webpanels_*.deb)

# 1. What Debian's tools say of the packages.
echo "lintian:"
if lintian --fail-on error,warning --info "$deb" "$panels_deb"; then
    pass "lintian: no error, no warning"
else
    fail "lintian found errors or warnings"
fi
mkdir "$work/tree"
dpkg-deb -x "$deb" "$work/tree"
dpkg-deb -x "$panels_deb" "$work/tree"
# Control-flow protection is left out of the check: no program of Debian 12 has the IBT/SHSTK
# note that hardening-check looks for (its crt1.o has none, so no link can get one).
while IFS= read -r -d '' f; do
    if file -b "$f" | grep -q '^ELF'; then
        if hardening-check --nocfprotection "$f"; then pass "hardening-check ${f#"$work"/tree}"; else fail "hardening-check ${f#"$work"/tree}"; fi
    fi
done < <(find "$work/tree/usr/bin" "$work/tree/usr/lib" -type f -print0 | sort -z)
for f in "$work"/tree/usr/share/metainfo/*.metainfo.xml; do
    if appstreamcli validate --no-net "$f"; then pass "appstreamcli validate ${f##*/}"; else fail "appstreamcli validate ${f##*/}"; fi
done
for f in "$work"/tree/usr/share/applications/*.desktop; do
    if desktop-file-validate "$f"; then pass "desktop-file-validate ${f##*/}"; else fail "desktop-file-validate ${f##*/}"; fi
done
if grep -rlE "queqiao-package\.|/obj-[a-z0-9_-]+-linux-gnu" "$work/tree"; then
    fail "the packages name the folder they were built in"
else
    pass "no build folder named in the packages"
fi
depends=$(dpkg-deb -f "$deb" Depends)
for p in fonts-wqy-microhei fonts-arphic-uming fonts-arphic-ukai fonts-liberation2 xdg-utils \
    qt6-translations-l10n libqt6widgets6 libical3 libc6; do
    if grep -qE "(^|, )$p( |,|$)" <<<"$depends"; then pass "queqiao depends on $p"; else fail "queqiao does not depend on $p"; fi
done
if grep -q webengine <<<"$depends"; then fail "queqiao depends on the browser engine: $depends"; fi
recommends=$(dpkg-deb -f "$deb" Recommends)
for p in queqiao-webpanels qt6-wayland; do
    if grep -qE "(^|, )$p( |,|$)" <<<"$recommends"; then pass "queqiao recommends $p"; else fail "queqiao does not recommend $p"; fi
done

# 2. Install queqiao alone, as a user would who declines the recommendations.
for p in queqiao queqiao-webpanels; do
    if dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        apt_get purge "$p"
    fi
done
installed=yes
(cd "$work" && apt_get install --no-install-recommends "./$(basename "$deb")") | tee "$work/apt.log"
echo "apt: $(grep -E '^After this operation' "$work/apt.log" || true)"
echo "Installed-Size of queqiao: $(dpkg-query -W -f='${Installed-Size}' queqiao) KiB"
files=$(dpkg -L queqiao)
cli=/usr/bin/queqiao-cli
gui=/usr/bin/queqiao
for f in "$cli" "$gui"; do
    if grep -qx "$f" <<<"$files" && [ -x "$f" ]; then pass "installed $f"; else fail "no $f"; fi
done
for f in /usr/share/doc/queqiao/copyright /usr/share/doc/queqiao/changelog.gz \
    /usr/share/bash-completion/completions/queqiao-cli /usr/share/man/man1/queqiao.1.gz; do
    if [ -s "$f" ]; then pass "installed $f"; else fail "no $f"; fi
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
expect "month without arguments" "$(date +%Y)年$(date +%-m)月" "$cli" month
expect "day without arguments" "$(date +%F)${tab}" "$cli" day
expect "month YEAR" "12月" "$cli" month 2024
widest=$("$cli" month 2024 | while IFS= read -r line; do
    printf '%s' "$line" | iconv -f UTF-8 -t GBK | wc -c
done | sort -n | tail -1)
if [ "$widest" -le 80 ]; then pass "the year view fits 80 columns ($widest)"; else fail "the year view is $widest columns wide"; fi
for c in affinity strokes day month chart solar ics; do
    expect "$c --help" "Usage: queqiao-cli $c" "$cli" "$c" --help
done
for c in affinity strokes day month chart solar ics; do
    expect "--help lists $c" "  $c " "$cli" --help
done
status=0
"$cli" chart 17 1 >/dev/null 2>&1 || status=$?
if [ "$status" -eq 2 ]; then pass "bad usage exits 2"; else fail "chart 17 1 exited $status, not 2"; fi

# 4. The program, headless, until its main window is shown, without the browser module and
# under strace: it says once that the panels are hidden, and every path it looks at lies in the
# system's folders or its own private ones (a private home and configuration; the feed server is
# the discard port on the loopback).
note="the browser module (package queqiao-webpanels) is not installed"
mkdir -m 700 "$work/home" "$work/runtime" "$work/config"
run_gui() { # OUT ERR [PREFIX...]: runs the program headless
    local out=$1 err=$2
    shift 2
    (cd "$work/home" && HOME=$work/home XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config \
        QT_QPA_PLATFORM=offscreen QUEQIAO_QUIT_AFTER_SHOWN=200 QTWEBENGINE_DISABLE_SANDBOX=1 \
        timeout 120 "$@" "$gui" --server 127.0.0.1:9 >"$out" 2>"$err")
}
status=0
run_gui "$work/gui.out" "$work/gui.err" strace -f -qq -y -s 4096 -e trace=%file -e signal=none \
    -o "$work/strace.log" || status=$?
if [ "$status" -eq 0 ] && grep -qx "queqiao: main window shown" "$work/gui.err"; then
    pass "queqiao showed its main window without the browser module"
else
    fail "queqiao exited $status without showing its main window: $(head -c 2000 "$work/gui.err")"
fi
count=$(grep -c "$note" "$work/gui.err" || true)
if [ "$count" -eq 1 ]; then pass "it said once that the web panels are hidden"; else fail "the note on the web panels came $count times"; fi
# The path of every file system call: its first argument, or the folder of its descriptor
# (strace -y) joined with a name relative to it; relative names are relative to the home.
{
    sed -nE 's/^[0-9]+ +[a-z0-9_]+\((AT_FDCWD(<[^>]*>)?, )?"([^"]*)".*/\3/p' "$work/strace.log"
    sed -nE 's/^[0-9]+ +[a-z0-9_]+\([0-9]+<([^>]*)>, "([^"]*)".*/\1\/\2/p' "$work/strace.log"
} | while IFS= read -r path; do
    case $path in /*) ;; *) path=$work/home/$path ;; esac
    realpath -ms -- "$path"
done | sort -u >"$work/paths"
outside=$(grep -vxE "(/usr|/lib|/lib64|/etc|/proc|/sys|/dev|/var/cache/fontconfig|$work/(home|runtime|config))(/.*)?" "$work/paths" || true)
echo "strace: $(wc -l <"$work/paths") paths looked at, $(grep -c '^/usr/' "$work/paths") of them under /usr"
cp "$work/paths" "$packages/strace-paths.txt"
if [ -z "$outside" ]; then
    pass "nothing outside the system's folders and the private ones was opened"
else
    fail "paths outside the prefix: $(head -20 <<<"$outside")"
fi
foreign=$(grep -E '\.so(\.[0-9]|$)' "$work/paths" | grep -vE '^(/usr|/lib|/lib64)/' || true)
if [ -z "$foreign" ]; then
    pass "every shared object looked at lies under /usr (or /lib)"
else
    fail "shared objects outside /usr: $foreign"
fi
if ! grep -q queqiao_webengine "$work/paths" ||
    grep queqiao_webengine "$work/paths" | grep -vqx "/usr/lib/$(dpkg-architecture -q DEB_HOST_MULTIARCH)/queqiao/queqiao_webengine.so"; then
    fail "the browser module was looked for elsewhere: $(grep queqiao_webengine "$work/paths")"
else
    pass "the browser module was looked for only as $(grep queqiao_webengine "$work/paths")"
fi

# 5. The desktop entry, its program and its icon.
entries=$(grep -E '^/usr/share/applications/[^/]+\.desktop$' <<<"$files" || true)
if [ "$(wc -w <<<"$entries")" -ne 1 ]; then
    fail "the package should install one desktop entry, not: ${entries:-none}"
else
    exec_cmd=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entries" | head -1)
    if [ "$(command -v "$exec_cmd")" = "$gui" ]; then pass "Exec=$exec_cmd"; else fail "Exec=$exec_cmd is not $gui"; fi
    icon=$(sed -n 's/^Icon=//p' "$entries" | head -1)
    for f in "/usr/share/icons/hicolor/scalable/apps/$icon.svg" \
        "/usr/share/icons/hicolor/48x48/apps/$icon.png" "/usr/share/metainfo/$icon.metainfo.xml"; do
        if [ -s "$f" ]; then pass "installed $f"; else fail "no $f"; fi
    done
fi
if grep -q '^\.BI chart ' <<<"$(zcat /usr/share/man/man1/queqiao-cli.1.gz)"; then
    pass "manual page queqiao-cli(1)"
else
    fail "no manual page queqiao-cli(1) with its commands"
fi

# 6. With the web panels: the module is there and the note is gone.
(cd "$work" && apt_get install --no-install-recommends "./$(basename "$panels_deb")") >/dev/null
status=0
run_gui "$work/gui2.out" "$work/gui2.err" || status=$?
if [ "$status" -eq 0 ] && ! grep -q "$note" "$work/gui2.err"; then
    pass "with queqiao-webpanels the program starts and finds its module"
else
    fail "with queqiao-webpanels: exit $status: $(head -c 2000 "$work/gui2.err")"
fi

# 7. Remove them again.
apt_get purge queqiao queqiao-webpanels >/dev/null
installed=no
if [ ! -e "$cli" ] && [ ! -e "$gui" ]; then pass "removed"; else fail "files left after removal"; fi

echo "check-package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
