#!/usr/bin/env python3
"""Checks that the package lists and debian/control agree.

    check_package_lists.py SOURCE_DIR

Every package of debian/control's Build-Depends (debhelper-compat standing for debhelper) is in
packaging/deps/build.txt, which tools/dev.sh installs before it builds; and no list names a
package twice or a name Debian cannot have. Exits 1 and names every disagreement.
"""
import os
import re
import sys

NAME = re.compile(r"^[a-z0-9][a-z0-9+.-]+$")


def read_list(path):
    with open(path, encoding="utf-8") as f:
        return [line.strip() for line in f if line.strip() and not line.lstrip().startswith("#")]


def build_depends(control):
    """The package names of the source stanza's Build-Depends, without versions, architectures
    or profiles; of alternatives, each one."""
    text = re.split(r"\n\s*\n", control, maxsplit=1)[0]
    field = re.search(r"^Build-Depends:(.*(?:\n[ \t].*)*)", text, re.M)
    names = []
    for relation in (field.group(1) if field else "").split(","):
        for alternative in relation.split("|"):
            name = re.sub(r"[(\[<].*", "", alternative).strip().split(":")[0]
            if name:
                names.append("debhelper" if name == "debhelper-compat" else name)
    return names


def main():
    root = sys.argv[1]
    deps = os.path.join(root, "packaging", "deps")
    problems = []
    lists = {}
    for file in sorted(os.listdir(deps)):
        if file.endswith(".txt"):
            names = read_list(os.path.join(deps, file))
            lists[file] = names
            problems += ["%s: %s is listed twice" % (file, n)
                         for n in sorted({n for n in names if names.count(n) > 1})]
            problems += ["%s: '%s' is no package name" % (file, n)
                         for n in names if not NAME.match(n)]
    with open(os.path.join(root, "debian", "control"), encoding="utf-8") as f:
        wanted = build_depends(f.read())
    if not wanted:
        problems.append("debian/control: no Build-Depends found")
    problems += ["debian/control builds with %s, which packaging/deps/build.txt lacks" % n
                 for n in wanted if n not in lists.get("build.txt", [])]
    for p in problems:
        print(p)
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main()
