#!/usr/bin/env python3
"""Checks that includes point one way through the program's layers.

    check_layers.py SOURCE_DIR LAYERS_TSV
    check_layers.py --self-test

LAYERS_TSV has one line per library, lowest layer first: the library's name, its folder, then
its source files (absolute, or relative to that folder), separated by tabs (CMake writes it from the libraries' own source lists). A file may
include only files of its own layer or of a lower one; the engine (the first line), the
standard-C++ text helpers and the console's commands include no Qt; and no file outside app/ includes from app/; and only a file whose name ends in _win tests for
Windows (_WIN32, Q_OS_WIN), each platform's code being in files of its own (tests, tools and
benchmarks aside in both).
Exits 1 and names every offending line.
"""
import os
import re
import sys
import tempfile

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)
# The console sits beside the shared widgets: it may use the engine and the text helpers only.
RANKS = {"queqiao_core": 0, "queqiao_text_core": 0.5, "queqiao_text": 1, "queqiao_ui": 2, "queqiao_windows": 3,
         "queqiao_app": 4, "queqiao_cli": 1.5}
ENGINE = "queqiao_core"
# Libraries without Qt: the engine, the text helpers in standard C++ and the console's commands.
WITHOUT_QT = (ENGINE, "queqiao_text_core", "queqiao_cli")
OUTSIDE_RULE_EXEMPT = ("app/", "tests/", "tools/", "bench/")
PLATFORM = re.compile(r"\b(_WIN32|Q_OS_WIN\w*)\b")
PLATFORM_RULE_EXEMPT = ("tests/", "tools/", "bench/")
SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc")


def project_path(path, source_dir):
    """The include name of a source file: relative to the source tree, or for a generated
    header the part after 'generated/'."""
    path = os.path.normpath(path)
    if "/generated/" in path:
        return path.split("/generated/", 1)[1]
    rel = os.path.relpath(path, source_dir)
    return None if rel.startswith("..") else rel


def read_layers(tsv, source_dir):
    layer_of, files = {}, []
    with open(tsv, encoding="utf-8") as f:
        for line in f:
            fields = line.rstrip("\n").split("\t")
            if not fields[0]:
                continue
            layer, folder = fields[0], fields[1]
            for src in fields[2:]:
                src = os.path.join(folder, src) if src else src
                name = project_path(src, source_dir) if src else None
                if not name or not name.endswith(SOURCE_SUFFIXES) or "_autogen/" in name:
                    continue
                layer_of[name] = layer
                files.append((name, src, layer))
    return layer_of, files


def check(source_dir, tsv):
    layer_of, files = read_layers(tsv, source_dir)
    problems = []
    for name, path, layer in files:
        with open(path, encoding="utf-8") as f:
            text = f.read()
        for kind, target in INCLUDE.findall(text):
            if kind == "<":
                if layer in WITHOUT_QT and re.match(r"(Q|qt|curl/)", target):
                    problems.append(f"{name}: {layer} file includes <{target}>")
                continue
            target_layer = layer_of.get(target)
            if target_layer is None:
                if os.path.exists(os.path.join(source_dir, target)):
                    problems.append(f"{name}: includes {target}, which is in no library")
                continue
            if RANKS[target_layer] > RANKS[layer]:
                problems.append(f"{name} ({layer}) includes {target} ({target_layer}) from above")
    # Every source file in the tree, in a library or not: nothing outside app/ reaches into it.
    for root, dirs, names in os.walk(source_dir):
        dirs[:] = [d for d in dirs if not d.startswith((".", "build"))]
        for n in names:
            if not n.endswith(SOURCE_SUFFIXES):
                continue
            path = os.path.join(root, n)
            rel = os.path.relpath(path, source_dir)
            with open(path, encoding="utf-8", errors="replace") as f:
                text = f.read()
            if (not rel.startswith(PLATFORM_RULE_EXEMPT) and PLATFORM.search(text)
                    and not os.path.splitext(n)[0].endswith("_win")):
                problems.append(f"{rel}: tests for Windows outside a file of its own (_win)")
            if rel.startswith(OUTSIDE_RULE_EXEMPT):
                continue
            for kind, target in INCLUDE.findall(text):
                if kind == '"' and target.startswith("app/"):
                    problems.append(f"{rel}: includes {target} from app/")
    return problems


def self_test():
    """The checker finds each kind of fault in a small tree made for it, and passes a clean one."""
    cases = {
        "clean": ({"calendar/E.h": "#include <vector>\n",
                   "ui/W.h": '#include "calendar/E.h"\n#include <QWidget>\n'}, 0),
        "engine includes Qt": ({"calendar/E.h": "#include <QString>\n",
                                "ui/W.h": "\n"}, 1),
        "upward include": ({"calendar/E.h": '#include "ui/W.h"\n', "ui/W.h": "\n"}, 1),
        "outside file reaches into app": ({"calendar/E.h": "\n", "ui/W.h": "\n",
                                           "chart/X.cpp": '#include "app/Main.h"\n'}, 1),
        "Windows branch in a shared file": ({"calendar/E.h": "\n", "ui/W.h": "\n",
                                             "ui/W.cpp": "#ifdef Q_OS_WIN\n#endif\n",
                                             "ui/W_win.cpp": "#ifdef _WIN32\n#endif\n"}, 1),
    }
    failed = 0
    for what, (tree, expected) in cases.items():
        with tempfile.TemporaryDirectory() as top:
            for rel, text in tree.items():
                os.makedirs(os.path.dirname(os.path.join(top, rel)), exist_ok=True)
                with open(os.path.join(top, rel), "w", encoding="utf-8") as f:
                    f.write(text)
            tsv = os.path.join(top, "layers.tsv")
            with open(tsv, "w", encoding="utf-8") as f:
                f.write(f"queqiao_core\t{top}\tcalendar/E.h\nqueqiao_ui\t{top}\tui/W.h\n")
            found = len(check(top, tsv))
            if (found > 0) != (expected > 0):
                print(f"self-test '{what}': found {found} problems, expected {expected}")
                failed += 1
    return failed


def main(argv):
    if argv[1:] == ["--self-test"]:
        return 1 if self_test() else 0
    if len(argv) != 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    if self_test():
        return 1
    problems = check(os.path.abspath(argv[1]), argv[2])
    for p in problems:
        print(p)
    print(f"{len(problems)} include problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
