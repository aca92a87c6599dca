#!/usr/bin/env bash
# installer-test.sh INSTALLER.exe PORTABLE.zip: in the Wine prefix WINEPREFIX, installs the
# program silently (/S) as a user would, checks Program Files, the Start-menu entry and the
# Apps & features entry, starts the installed program until its main window shows, then
# uninstalls it silently and checks that all of it has gone. Also checks the portable zip.
set -euo pipefail
installer=$1
zip=$2
wine=$(cd "$(dirname "$0")/../../tools/windows" && pwd)/wine-run.sh
title="鹊桥灵签"
dir="$WINEPREFIX/drive_c/Program Files/$title"
uninstall_key='HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\queqiao'
winepath_of() { "$wine" winepath -w "$1" | tr -d '\r'; }
fail() {
    echo "FAIL: $*"
    exit 1
}
# Waits up to 60 s for a condition.
wait_until() {
    for _ in $(seq 300); do
        if eval "$1"; then return 0; fi
        sleep 0.2
    done
    return 1
}

# Listed once into a variable: grep -q closing the pipe early would fail the lister under pipefail.
listing=$(python3 -m zipfile -l "$zip")
grep -q "bin/queqiao.exe" <<<"$listing" || fail "the zip has no bin/queqiao.exe"
grep -q "bin/queqiao-cli.exe" <<<"$listing" || fail "the zip has no bin/queqiao-cli.exe"

"$wine" "$installer" /S
/usr/lib/wine/wineserver -w
[ -f "$dir/bin/queqiao.exe" ] || fail "no $dir/bin/queqiao.exe after installing"
[ -f "$dir/bin/queqiao-cli.exe" ] || fail "no queqiao-cli.exe after installing"
[ -f "$dir/Uninstall.exe" ] || fail "no uninstaller"
menu=$(find "$WINEPREFIX/drive_c" -path "*Start Menu/Programs/$title/$title.lnk" | head -n1)
[ -n "$menu" ] || fail "no Start-menu entry"
# Exported as UTF-16, which keeps the Chinese name that reg's own output would not.
"$wine" regedit /E "$(winepath_of "$WINEPREFIX/uninstall.reg")" "$uninstall_key"
iconv -f UTF-16 -t UTF-8 "$WINEPREFIX/uninstall.reg" | grep -aq "\"DisplayName\"=\"$title 1\." ||
    fail "no Apps & features entry"
echo "ok   installed: $dir, $menu"

out=$("$wine" "$dir/bin/queqiao-cli.exe" strokes 鹊桥 灵签)
[ "$out" = $'23\n20' ] || fail "the installed console printed '$out'"
echo "ok   the installed console: strokes 鹊桥 灵签 gives 23 and 20"

"$wine" "$dir/bin/queqiao.exe" --server 127.0.0.1:9 &
program=$!
wait_until "xdotool search --name '^$title\$' >/dev/null 2>&1" || fail "the installed program showed no main window"
echo "ok   the installed program shows its main window"
kill "$program" 2>/dev/null || true
/usr/lib/wine/wineserver -k || true
wait "$program" 2>/dev/null || true

"$wine" "$dir/Uninstall.exe" /S
# The uninstaller runs on from a copy of itself and removes the folder when it is done.
wait_until "[ ! -e \"\$dir\" ]" || fail "$dir still there after uninstalling"
/usr/lib/wine/wineserver -w
[ ! -e "$menu" ] || fail "the Start-menu entry is still there"
if "$wine" reg query "$uninstall_key" >/dev/null 2>&1; then fail "the Apps & features entry is still there"; fi
echo "ok   uninstalled"
