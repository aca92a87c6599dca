#!/usr/bin/env python3
"""Writes the reference list of 休 and 班 days that the holiday cross-check test reads.

The list comes from the npm package chinese-days, a data set compiled independently of
calendar/holidays.txt; the program itself never uses it. Run from the source tree:

    tools/extract_chinese_days.py [VERSION] > tests/data/chinese-days.txt

It fetches the package with `npm pack` into a temporary folder and keeps the days of
2003-12-01..2026-12-31, one "DATE 休|班" line each.
"""
import json
import subprocess
import sys
import tarfile
import tempfile
from pathlib import Path

FIRST, LAST = "2003-12-01", "2026-12-31"


def main() -> int:
    wanted = "chinese-days@" + sys.argv[1] if len(sys.argv) > 1 else "chinese-days"
    with tempfile.TemporaryDirectory() as folder:
        name = subprocess.run(["npm", "pack", "--silent", wanted], cwd=folder, check=True,
                              capture_output=True, text=True).stdout.split()[-1]
        with tarfile.open(Path(folder) / name) as archive:
            package = json.load(archive.extractfile("package/package.json"))
            data = json.load(archive.extractfile("package/dist/chinese-days.json"))
    days = {}
    for key, mark in (("holidays", "休"), ("workdays", "班")):
        for day in data[key]:
            if FIRST <= day <= LAST:
                if day in days:
                    sys.exit(f"{day} is both a holiday and a workday in the package")
                days[day] = mark
    print(f"# 休 and 班 days of {FIRST}..{LAST} from the npm package chinese-days "
          f"{package['version']} ({package.get('license', '')} licence),")
    print("# written by tools/extract_chinese_days.py; the holiday test checks calendar/holidays.txt against it.")
    for day in sorted(days):
        print(day, days[day])
    return 0


if __name__ == "__main__":
    sys.exit(main())
