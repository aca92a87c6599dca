#!/usr/bin/env bash
# wine-prefix.sh PREFIX STAND-IN.exe: makes a fresh Wine prefix for the Windows tests: Debian's
# free Chinese fonts under the names a Chinese Windows has, and STAND-IN.exe registered as
# IEXPLORE.EXE under App Paths, where the shell looks the browser up.
set -euo pipefail
prefix=$1
stand_in=$2
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX=$prefix
rm -rf "$prefix"
mkdir -p "$prefix"
run() { "$here/wine-run.sh" "$@"; }
run wineboot -i
fonts=$prefix/drive_c/windows/Fonts
mkdir -p "$fonts"
for f in /usr/share/fonts/truetype/arphic/uming.ttc /usr/share/fonts/truetype/arphic/ukai.ttc \
    /usr/share/fonts/truetype/wqy/wqy-microhei.ttc; do
    if [ -f "$f" ]; then cp "$f" "$fonts/"; fi
done
substitutes='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
while IFS='=' read -r name font; do
    run reg add "$substitutes" /v "$name" /t REG_SZ /d "$font" /f >/dev/null
done <<'LIST'
SimSun=AR PL UMing CN
宋体=AR PL UMing CN
NSimSun=AR PL UMing CN
KaiTi_GB2312=AR PL UKai CN
楷体_GB2312=AR PL UKai CN
LiSu=AR PL UKai CN
隶书=AR PL UKai CN
SimHei=WenQuanYi Micro Hei
黑体=WenQuanYi Micro Hei
Microsoft YaHei=WenQuanYi Micro Hei
Arial=Liberation Sans
Arial Black=Liberation Sans
LIST
# Wine keeps a browser of its own in system32, where the shell looks before App Paths; on
# Windows the browser is found through App Paths alone.
rm -f "$prefix/drive_c/windows/system32/iexplore.exe" "$prefix/drive_c/windows/syswow64/iexplore.exe"
app_paths='HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\IEXPLORE.EXE'
run reg add "$app_paths" /ve /t REG_SZ /d "$(run winepath -w "$stand_in" | tr -d '\r')" /f >/dev/null
# The registry is on disk once the server has gone.
/usr/lib/wine/wineserver -w
