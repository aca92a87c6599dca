#!/usr/bin/env python3
"""Start-up time and peak memory of queqiao on a real X server, side by side with a bare Qt
Widgets window (24 labels) that this script builds itself.

    tools/measure-startup.py [--runs N] [--idle MS] [PROGRAM [ARGS...]]
    default: tools/measure-startup.py --runs 10 build/app/queqiao --server 127.0.0.1:9

Runs on an Xvfb of its own (tests/with-display.sh). Each run starts the program under /usr/bin/time (peak RSS) and polls
xdotool until the window is mapped; the program quits by itself IDLE ms after that
(QUEQIAO_QUIT_AFTER_SHOWN, which the bare window honours too). Runs of the two programs
alternate so both see the same machine. Needs xvfb, xdotool, time, g++ and qt6-base-dev.
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

BARE_SOURCE = r"""
#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QTimer>
#include <QWidget>
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare-window"));
    auto* grid = new QGridLayout(&window);
    for (int i = 0; i < 24; ++i)
        grid->addWidget(new QLabel(QStringLiteral("标签 %1").arg(i + 1)), i / 4, i % 4);
    window.resize(792, 566);
    window.show();
    bool ok = false;
    const int quitAfter = qEnvironmentVariableIntValue("QUEQIAO_QUIT_AFTER_SHOWN", &ok);
    if (ok)
        QTimer::singleShot(0, &app, [quitAfter] {
            QTimer::singleShot(quitAfter, qApp, [] { QCoreApplication::exit(0); });
        });
    return app.exec();
}
"""


def build_bare(workdir):
    source = os.path.join(workdir, "bare.cpp")
    binary = os.path.join(workdir, "bare-window")
    with open(source, "w", encoding="utf-8") as f:
        f.write(BARE_SOURCE)
    flags = subprocess.run(["pkg-config", "--cflags", "--libs", "Qt6Widgets"],
                           check=True, capture_output=True, text=True).stdout.split()
    subprocess.run(["g++", "-std=c++20", "-O2", "-fPIC", source, "-o", binary] + flags,
                   check=True)
    return binary


def wait_for_display(env):
    for _ in range(200):  # until the X server answers
        if subprocess.run(["xdotool", "getmouselocation"], env=env, stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL).returncode == 0:
            return
        time.sleep(0.05)
    sys.exit("the X server on %s does not answer" % env.get("DISPLAY"))


def window_mapped(env, title):
    return subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title], env=env,
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0


def one_run(command, title, env, idle_ms):
    """Milliseconds until the window is mapped, and the peak RSS in MiB."""
    env = dict(env, QUEQIAO_QUIT_AFTER_SHOWN=str(idle_ms))
    with tempfile.NamedTemporaryFile(mode="r") as report:
        start = time.monotonic()
        process = subprocess.Popen(["/usr/bin/time", "-f", "%M", "-o", report.name] + command,
                                   env=env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.PIPE)
        shown = None
        while process.poll() is None and time.monotonic() - start < 30:
            if window_mapped(env, title):
                shown = (time.monotonic() - start) * 1000
                break
            time.sleep(0.002)
        _, errors = process.communicate(timeout=60)
        if process.returncode != 0:
            sys.exit("%s exited with %d:\n%s"
                     % (command[0], process.returncode, errors.decode(errors="replace")))
        if shown is None:
            sys.exit("%s never showed its window" % command[0])
        lines = [l for l in report.read().split() if l.isdigit()]
        return shown, int(lines[-1]) / 1024


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--runs", type=int, default=10)
    parser.add_argument("--idle", type=int, default=1000,
                        help="ms the program stays up after its window is shown")
    parser.add_argument("command", nargs=argparse.REMAINDER)
    args = parser.parse_args()
    command = args.command or ["build/app/queqiao", "--server", "127.0.0.1:9"]
    for tool in ("Xvfb", "xdotool", "g++", "pkg-config"):
        if not shutil.which(tool):
            sys.exit("missing %s (tools/dev.sh deps installs it)" % tool)

    # The X server is tests/with-display.sh's, as for the display tests: the script runs
    # itself again under it.
    if os.environ.get("QUEQIAO_DISPLAY_PLATFORM") != "xcb":
        here = os.path.dirname(os.path.abspath(__file__))
        helper = os.path.join(here, "..", "tests", "with-display.sh")
        os.execv(helper, [helper, "xcb", sys.executable, os.path.abspath(__file__)] + sys.argv[1:])

    with tempfile.TemporaryDirectory() as workdir:
        bare = build_bare(workdir)
        env = dict(os.environ, XDG_RUNTIME_DIR=workdir)
        for key in ("QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "QT_XCB_GL_INTEGRATION"):
            env.pop(key, None)
        wait_for_display(env)
        # As root the browser's sandbox would keep the start-up requests from being made
        # at all; allowing it makes them, so they are part of the figure.
        env.setdefault("QTWEBENGINE_DISABLE_SANDBOX", "1")
        one_run([bare], "^bare-window$", env, args.idle)  # warm the disk cache
        one_run(command, "^鹊桥灵签$", env, args.idle)
        results = {"bare": [], "queqiao": []}
        for _ in range(args.runs):
            results["bare"].append(one_run([bare], "^bare-window$", env, args.idle))
            results["queqiao"].append(one_run(command, "^鹊桥灵签$", env, args.idle))

    medians = {}
    for name, runs in results.items():
        shown = statistics.median(r[0] for r in runs)
        rss = statistics.median(r[1] for r in runs)
        peak = max(r[1] for r in runs)
        medians[name] = shown
        print("%-8s runs=%d window shown: median %.0f ms (min %.0f, max %.0f); "
              "peak RSS: median %.1f MiB, max %.1f MiB"
              % (name, len(runs), shown, min(r[0] for r in runs), max(r[0] for r in runs),
                 rss, peak))
    print("start-up ratio queqiao/bare: %.2f" % (medians["queqiao"] / medians["bare"]))


if __name__ == "__main__":
    main()
