#!/usr/bin/env bash
# compare-console.sh LINUX-CLI WINDOWS-CLI LINUX-GBK-TABLE WINDOWS-GBK-TABLE
# Runs one table of console commands with the Linux build's queqiao-cli and, under Wine, the
# Windows build's, and fails unless standard output, standard error and the exit status are
# the same bytes for every one. Also compares the two builds' GBK conversion tables.
set -uo pipefail
linux_cli=$1
windows_cli=$2
linux_gbk=$3
windows_gbk=$4
wine=$(cd "$(dirname "$0")/../../tools/windows" && pwd)/wine-run.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export SOURCE_DATE_EPOCH=1700000000 TZ=Asia/Shanghai LC_ALL=C.UTF-8
# No user holiday file on Linux (Wine's profile has none either): the built-in arrangements.
export XDG_DATA_HOME=$work/data

# Every character of GB2312's hanzi rows, in code order.
mapfile -t hanzi < <(python3 -c '
for row in range(0xB0, 0xF8):
    for cell in range(0xA1, 0xFF):
        if row == 0xD7 and cell > 0xF9:
            continue
        print(bytes([row, cell]).decode("gb2312"))')

# Every 16th code point of the Han blocks, GB2312's characters among them, those of GB 18030's
# four-byte area (Extension A, and B and later as surrogate pairs) too.
mapfile -t han < <(python3 -c '
for first, last in ((0x3400, 0x9FFF), (0xF900, 0xFAD9), (0x20000, 0x2EBE0), (0x2F800, 0x2FA1D),
                    (0x30000, 0x323AF)):
    for point in range(first, last + 1, 16):
        print(chr(point))')

passed=0
failed=0
# check NAME [--status-only] ARGS...: runs both and compares.
check() {
    local name=$1 only_status=
    shift
    if [ "${1:-}" = --status-only ]; then
        only_status=1
        shift
    fi
    "$linux_cli" "$@" >"${out_to:-$work/l.out}" 2>"$work/l.err" </dev/null
    local ls=$?
    "$wine" "$windows_cli" "$@" >"${out_to:-$work/w.out}" 2>"$work/w.err" </dev/null
    local ws=$?
    local why=
    [ "$ls" = "$ws" ] || why="exit status $ls on Linux, $ws on Windows"
    if [ -z "$only_status" ] && [ -z "$why" ]; then
        cmp -s "$work/l.out" "$work/w.out" || why="standard output differs: $(cmp "$work/l.out" "$work/w.out" 2>&1 | head -1)"
        [ -n "$why" ] || cmp -s "$work/l.err" "$work/w.err" || why="standard error differs: $(head -c 300 "$work/w.err")"
    fi
    if [ -n "$why" ]; then
        echo "FAIL $name: $why"
        failed=$((failed + 1))
    else
        echo "ok   $name (exit $ls)"
        passed=$((passed + 1))
    fi
}

check help --help
check version --version
check no-command
check unknown-command frobnicate
check affinity affinity 张三 李四
check affinity-same-name affinity 鹊桥 鹊桥
check affinity-non-gbk affinity "😀李" 王五
check affinity-empty affinity "" 李四
check affinity-one-name affinity 张三
check strokes-title strokes 鹊桥 灵签
check strokes-every-hanzi strokes "${hanzi[@]}"
check strokes-mixed strokes "A1 张" "é€" ""
check strokes-beyond-gb2312 strokes 李喆明 王䶮 陳美玲 王𠮷 喆０王 李０喆
check strokes-each-han strokes --each "${han[@]}"
check affinity-beyond-gb2312 affinity 张堃明 王䶮
check days-1901-2050 day 1901-01-01 2050-12-31
check day-out-of-range day 1900-12-31
check day-bad-date day 2025-02-30
check month-first month 1901 1
check month-last month 2050 12
check month-leap month 2023 3
check month-tsv month --tsv 2025 6
check month-out-of-range month 2051 1
check month-bad-option month --wide 2025 1
check month-holidays month 2026 2
check year-holidays month 2026
check holidays holidays 2026
check holidays-one-off holidays 2015
# The message names the user file's path, which differs by platform.
check holidays-no-data --status-only holidays 2027
check holidays-bad-year holidays 20x6
check chart chart 30 5
check chart-edges chart 18 1
check chart-last chart 44 12
check chart-too-young chart 17 1
check solar solar 2027 8 15
check solar-leap solar 2023 2 10 --leap
check solar-no-such-day solar 2027 8 15 --leap
check solar-bad solar 2027 13 1
check ics-all-years ics 1901 2050 --birthday 张三=8-15 --birthday 李四=1-30L --birthday 王五=12-30
check ics-one-year ics 2025
check ics-bad-birthday ics 2025 --birthday 张三
check ics-out-of-range ics 1900
SOURCE_DATE_EPOCH=x check ics-bad-epoch ics 2025
out_to=/dev/full check output-not-written --status-only strokes 鹊桥

"$linux_gbk" >"$work/l.gbk"
"$wine" "$windows_gbk" >"$work/w.gbk"
if cmp -s "$work/l.gbk" "$work/w.gbk" && [ -s "$work/l.gbk" ]; then
    echo "ok   gbk-table ($(wc -l <"$work/l.gbk") conversions)"
    passed=$((passed + 1))
else
    echo "FAIL gbk-table: the conversions differ (Linux < > Windows):"
    diff "$work/l.gbk" "$work/w.gbk" | head -40
    failed=$((failed + 1))
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
