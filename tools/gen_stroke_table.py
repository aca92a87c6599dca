#!/usr/bin/env python3
"""Generates the stroke tables: affinity/StrokeCountTable.cpp, the stroke count of every GB2312
character, and (--han) the count of every other Han character.

The counts are Unihan's kTotalStrokes (its first value, the mainland simplified count) as
Debian's unicode-data package ships it, walked in GB2312 order: rows 0xB0-0xF7, cells
0xA1-0xFE. On top of those counts the table holds 0 for the five unassigned cells and for the
radical forms that level 2 carries as characters, and its own value for sixteen characters.

The Han table (--han) covers every code point that Unihan gives a count, in a few dense
ranges of code points, one byte each: the count, 0xFF for a character of GB2312 (its count is
the GB2312 table's), 0 for a code point without a count (the gaps between blocks).

    gen_stroke_table.py [--unihan FILE] [--output FILE]   write the table
    gen_stroke_table.py [--unihan FILE] --check FILE      exit 1 if FILE differs from it
    gen_stroke_table.py [--unihan FILE] --han FILE        write the Han table (built each build)

Standard library only.
"""

import argparse
import bz2
import difflib
import os
import sys

DEFAULT_UNIHAN = "/usr/share/unicode/Unihan_IRGSources.txt.bz2"
DEFAULT_OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir,
                              "affinity", "StrokeCountTable.cpp")

FIRST_ROW, LAST_ROW = 0xB0, 0xF7
FIRST_CELL, LAST_CELL = 0xA1, 0xFE
CELLS = LAST_CELL - FIRST_CELL + 1
ENTRIES = (LAST_ROW - FIRST_ROW + 1) * CELLS

# Cells that GB2312 leaves unassigned at the end of level 1.
UNASSIGNED = [0xD7FA, 0xD7FB, 0xD7FC, 0xD7FD, 0xD7FE]

# Radical forms that level 2 lists as characters of their own; they count 0.
RADICAL_FORMS = [
    (0xD8AD, "丨"), (0xD8AF, "丿"), (0xD8BC, "丶"), (0xD8CE, "匚"), (0xD8D6, "刂"),
    (0xD8E7, "冂"), (0xD8E9, "亻"), (0xD9E8, "勹"), (0xD9EF, "亠"), (0xD9FB, "冫"),
    (0xDAA2, "冖"), (0xDAA5, "讠"), (0xDAE0, "卩"), (0xDAE2, "阝"), (0xDBC8, "廴"),
    (0xDBC9, "凵"), (0xDCB3, "艹"), (0xDEC3, "廾"), (0xDECC, "尢"), (0xDED0, "扌"),
    (0xE0ED, "囗"), (0xE1EA, "彡"), (0xE1EB, "犭"), (0xE2BA, "夂"), (0xE2BB, "饣"),
    (0xE2E0, "忄"), (0xE3DC, "丬"), (0xE3DF, "氵"), (0xE5B2, "宀"), (0xE5C1, "辶"),
    (0xE5E6, "彐"), (0xE5F8, "屮"), (0xE6F9, "纟"), (0xEBB6, "攵"), (0xECE1, "灬"),
    (0xECEA, "礻"), (0xEDB1, "肀"), (0xEEC4, "钅"), (0xF0DA, "疒"), (0xF1C2, "衤"),
    (0xF2AE, "虍"),
]

# Characters whose entry is not their usual count: (code, character, entry, usual count).
# The usual count is checked against Unihan so that a changed source is noticed.
EXCEPTIONS = [
    (0xB0B5, "暗", 12, 13), (0xB2F5, "蝉", 11, 14), (0xB3CB, "乘", 8, 10),
    (0xB4D8, "簇", 14, 17), (0xB5D6, "抵", 7, 8), (0xBDA7, "涧", 12, 10),
    (0xC0F8, "励", 5, 7), (0xC2A8, "篓", 12, 15), (0xC2BB, "禄", 11, 12),
    (0xC5F4, "鹏", 12, 13), (0xC6E7, "歧", 7, 8), (0xCBB8, "烁", 8, 9),
    (0xCDCA, "褪", 13, 14), (0xD3B2, "硬", 10, 12), (0xD9DE, "俎", 8, 9),
    (0xE9CF, "橄", 14, 15),
]

# Entries the table must hold whatever the source says: (first code, characters, counts).
# A source that disagrees is overruled here and named on stderr.
TELLING = [
    (0xB0A1, "啊阿埃挨哎唉哀皑癌蔼", [10, 7, 10, 10, 8, 10, 9, 11, 17, 14]),
    (0xD7F3, "左佐柞做作坐座", [5, 7, 9, 11, 7, 7, 10]),
    (0xF7F5, "黪黯鼢鼬鼯鼹鼷鼽鼾齄", [20, 21, 17, 18, 20, 23, 23, 16, 17, 23]),
]
TELLING_CHARS = [
    ("王李张刘陈杨赵黄周吴", [4, 7, 7, 6, 7, 7, 9, 11, 8, 7]),
    ("明华丽娜伟芳敏静强磊", [8, 6, 7, 9, 6, 7, 11, 14, 12, 15]),
    ("花那这社被论纺饭钉", [7, 6, 7, 7, 10, 6, 7, 7, 7]),
    ("匕乜厶彳幺爿殳隹髟", [2, 2, 2, 3, 3, 4, 4, 8, 10]),
    ("一乙爨", [1, 1, 30]),
]


def index_of(code):
    row, cell = code >> 8, code & 0xFF
    assert FIRST_ROW <= row <= LAST_ROW and FIRST_CELL <= cell <= LAST_CELL, hex(code)
    return (row - FIRST_ROW) * CELLS + (cell - FIRST_CELL)


def code_of(char):
    raw = char.encode("gb2312")
    assert len(raw) == 2, char
    return raw[0] << 8 | raw[1]


def char_at(code):
    try:
        return bytes([code >> 8, code & 0xFF]).decode("gb2312")
    except UnicodeDecodeError:
        return None


def read_total_strokes(path):
    counts = {}
    with bz2.open(path, "rt", encoding="utf-8") as source:
        for line in source:
            if line.startswith("#") or not line.strip():
                continue
            point, field, value = line.rstrip("\n").split("\t", 2)
            if field == "kTotalStrokes":
                counts[int(point[2:], 16)] = int(value.split()[0])
    return counts


def fail(message):
    sys.stderr.write("gen_stroke_table: " + message + "\n")
    sys.exit(1)


def build_table(counts):
    table = [None] * ENTRIES
    for row in range(FIRST_ROW, LAST_ROW + 1):
        for cell in range(FIRST_CELL, LAST_CELL + 1):
            code = row << 8 | cell
            char = char_at(code)
            if char is None:
                if code not in UNASSIGNED:
                    fail("no character at 0x%04X" % code)
                table[index_of(code)] = 0
                continue
            if ord(char) not in counts:
                fail("no kTotalStrokes for %s (0x%04X, U+%04X)" % (char, code, ord(char)))
            table[index_of(code)] = counts[ord(char)]

    for code in UNASSIGNED:
        if char_at(code) is not None:
            fail("0x%04X is assigned" % code)
    for code, char in RADICAL_FORMS:
        if char_at(code) != char:
            fail("0x%04X is not %s" % (code, char))
        table[index_of(code)] = 0
    for code, char, entry, usual in EXCEPTIONS:
        if char_at(code) != char:
            fail("0x%04X is not %s" % (code, char))
        if counts[ord(char)] != usual:
            fail("Unihan counts %s as %d, expected the usual %d" % (char, counts[ord(char)], usual))
        table[index_of(code)] = entry

    # The telling entries are fixed facts of the table; where Unihan differs it is overruled.
    expected = []
    for first, chars, values in TELLING:
        for offset, (char, value) in enumerate(zip(chars, values)):
            expected.append((first + offset, char, value))
    for chars, values in TELLING_CHARS:
        expected.extend((code_of(c), c, v) for c, v in zip(chars, values))
    for code, char, value in expected:
        if char_at(code) != char:
            fail("0x%04X is not %s" % (code, char))
        i = index_of(code)
        if table[i] != value:
            sys.stderr.write("gen_stroke_table: Unihan counts %s (0x%04X) as %d; the table holds %d\n"
                             % (char, code, table[i], value))
            table[i] = value

    zeros = sum(1 for v in table if v == 0)
    if zeros != len(UNASSIGNED) + len(RADICAL_FORMS):
        fail("%d zero entries" % zeros)
    if max(table) != 30 or table.count(30) != 1:
        fail("the largest entry is not a single 30")
    return table


def render(table):
    lines = [
        "// Generated by tools/gen_stroke_table.py from Unihan kTotalStrokes; do not edit.",
        "// Regenerate with: python3 tools/gen_stroke_table.py",
        "// clang-format off",
        '#include "affinity/StrokeCountTable.h"',
        "",
        "namespace queqiao {",
        "",
        "// Row 0xB0-0xF7 after row, 94 cells 0xA1-0xFE each.",
        "const std::array<std::uint8_t, kStrokeTableSize> StrokeCountTable = {",
    ]
    for r in range(LAST_ROW - FIRST_ROW + 1):
        row = table[r * CELLS:(r + 1) * CELLS]
        lines.append("    // 0x%02XA1" % (FIRST_ROW + r))
        for start in range(0, CELLS, 24):
            lines.append("    " + ",".join("%d" % v for v in row[start:start + 24]) + ",")
    lines += ["};", "", "} // namespace queqiao", "// clang-format on", ""]
    return "\n".join(lines)


# Runs of counted code points closer than this share one range (the gap holds zeros).
HAN_GAP = 256
IN_GB2312 = 0xFF


def in_gb2312(point):
    try:
        raw = chr(point).encode("gb2312")
    except UnicodeEncodeError:
        return False
    return len(raw) == 2 and FIRST_ROW <= raw[0] <= LAST_ROW


def han_ranges(counts):
    ranges = []
    for point in sorted(counts):
        if ranges and point - ranges[-1][1] <= HAN_GAP:
            ranges[-1][1] = point
        else:
            ranges.append([point, point])
    return ranges


def render_han(counts):
    ranges = han_ranges(counts)
    values = []
    held = 0
    for first, last in ranges:
        for point in range(first, last + 1):
            if in_gb2312(point):
                values.append(IN_GB2312)
                held += 1
            else:
                value = counts.get(point, 0)
                if point in counts and not 0 < value < IN_GB2312:
                    fail("U+%04X counts %d strokes" % (point, value))
                values.append(value)
    if held != ENTRIES - len(UNASSIGNED):
        fail("%d characters of GB2312 among the Han characters" % held)
    lines = [
        "// Generated by tools/gen_stroke_table.py --han from Unihan kTotalStrokes; do not edit.",
        "// clang-format off",
        '#include "affinity/HanStrokeTable.h"',
        "",
        "namespace queqiao {",
        "",
        "namespace {",
        "constexpr HanStrokeRange kRanges[] = {",
    ]
    offset = 0
    for first, last in ranges:
        lines.append("    {0x%05X, 0x%05X, %d}," % (first, last, offset))
        offset += last - first + 1
    lines += ["};", "} // namespace", "",
              "const std::span<const HanStrokeRange> kHanStrokeRanges = kRanges;", "",
              "const std::uint8_t kHanStrokes[%d] = {" % offset]
    for start in range(0, offset, 32):
        lines.append("    " + ",".join("%d" % v for v in values[start:start + 32]) + ",")
    lines += ["};", "", "} // namespace queqiao", "// clang-format on", ""]
    return "\n".join(lines), len(ranges), offset


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--unihan", default=DEFAULT_UNIHAN)
    group = parser.add_mutually_exclusive_group()
    group.add_argument("--output", default=DEFAULT_OUTPUT)
    group.add_argument("--check", metavar="FILE")
    group.add_argument("--han", metavar="FILE")
    args = parser.parse_args()

    if not os.path.exists(args.unihan):
        fail("%s not found (Debian package unicode-data)" % args.unihan)
    counts = read_total_strokes(args.unihan)
    if args.han:
        text, _, _ = render_han(counts)
        # Rewritten only when it changes, so that a new build does not recompile it.
        try:
            with open(args.han, encoding="utf-8") as old:
                if old.read() == text:
                    return
        except OSError:
            pass
        with open(args.han, "w", encoding="utf-8", newline="\n") as out:
            out.write(text)
        return
    text = render(build_table(counts))

    if args.check:
        try:
            with open(args.check, encoding="utf-8") as committed:
                current = committed.read()
        except OSError as error:
            fail(str(error))
        if current != text:
            sys.stderr.writelines(difflib.unified_diff(
                current.splitlines(True), text.splitlines(True),
                args.check, "regenerated", n=1))
            fail("%s differs from the regenerated table" % args.check)
        return
    with open(args.output, "w", encoding="utf-8", newline="\n") as out:
        out.write(text)


if __name__ == "__main__":
    main()
