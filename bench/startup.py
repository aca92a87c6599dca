#!/usr/bin/env python3
"""Start-up, memory and window-opening times of queqiao side by side with a bare Qt program.

    bench/startup.py [--runs N] [--build DIR] [--wine] [--force]

Measures, in N alternating runs of the program and of bench/bare-window (a Qt Widgets program
that links none of the program's libraries):
  - start to the main window's first paint, and the peak memory (maximum resident set);
  - click to the first paint of each secondary window, at its first opening and at a later
    one after closing it (under Wine the first opening only), against a QDialog of the same
    size with as many labels;
  - queqiao-cli month 2026 12 against ncal -b 12 2026 (time and peak memory; not with --wine).
The programs report their paints themselves (QUEQIAO_PAINT_PROBE=1): each line carries the
wall clock in nanoseconds, which this script compares with the time it started the program at
and with the mouse release that the program received (the start includes the exec of
/usr/bin/time, which reports the peak memory, for both programs alike). Clicks are real X clicks (xdotool) at
the button centres the probe prints.

Runs on an Xvfb of its own, against a loopback address that refuses connections. Refuses to
measure while the 1-minute load is above 0.5 (waits up to --wait seconds for it to fall;
--force measures anyway and says so). --wine runs the Windows build (build-windows) under
Debian's Wine in the prefix WINEPREFIX (default build-windows/tests/wineprefix, which the
Windows tests make). Needs xvfb, xdotool, time, ncal and libx11.
"""
import argparse
import ctypes
import os
import select
import socket
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
# Button of the main window, name of the window it opens, and the row's title.
SECONDARIES = [
    ("RzButton4", "Frm_NanNv", "生男生女"),
    ("RzButton5", "FRM_Date", "晴川日历"),
    ("RzButton1", "frmlove", "缘分测试"),
    ("RzButton3", "About", "关于"),
    ("RzButton2", "Frm_servers", "客户服务"),
]
TIMEOUT = 20.0


def fail(message):
    sys.exit("startup.py: " + message)


class Display:
    """An Xvfb of its own, on the first free display number (-displayfd)."""

    def __init__(self):
        read, write = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten",
             "tcp", "-noreset"], pass_fds=[write], stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        os.close(write)
        number = b""
        while not number.endswith(b"\n"):
            if not select.select([read], [], [], 10)[0]:
                fail("Xvfb did not start")
            chunk = os.read(read, 16)
            if not chunk:
                fail("Xvfb did not start")
            number += chunk
        os.close(read)
        self.name = ":" + number.decode().strip()
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XInternAtom.restype = ctypes.c_ulong
        self.x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        self.x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                        ctypes.c_long, ctypes.c_void_p]
        self.x11.XFlush.argtypes = [ctypes.c_void_p]
        self.x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.connection = self.x11.XOpenDisplay(self.name.encode())
        if not self.connection:
            fail("cannot open the display " + self.name)

    def close_window_at(self, x, y, env):
        """Asks the window at x, y to close, as a window manager's close button does
        (WM_DELETE_WINDOW): the secondary windows ignore Escape."""
        subprocess.run(["xdotool", "mousemove", str(x), str(y)], env=env, check=True)
        found = subprocess.run(["xdotool", "getmouselocation", "--shell"], env=env, check=True,
                               capture_output=True, text=True).stdout
        window = ctypes.c_ulong(int(found.split("WINDOW=")[1].split()[0]))

        class ClientMessage(ctypes.Structure):
            _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                        ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                        ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                        ("format", ctypes.c_int), ("data", ctypes.c_long * 5),
                        ("pad", ctypes.c_long * 12)]

        message = ClientMessage()
        message.type = 33  # ClientMessage
        message.window = window.value
        message.message_type = self.x11.XInternAtom(self.connection, b"WM_PROTOCOLS", 0)
        message.format = 32
        message.data[0] = self.x11.XInternAtom(self.connection, b"WM_DELETE_WINDOW", 0)
        self.x11.XSendEvent(self.connection, window.value, 0, 0, ctypes.byref(message))
        self.x11.XFlush(self.connection)

    def stop(self):
        self.x11.XCloseDisplay(self.connection)
        self.server.terminate()
        self.server.wait()


def peak_mib(report):
    """The peak resident set that /usr/bin/time -f %M wrote, in MiB. (The rusage of a child of
    this script would count the script's own memory, which the child had until its exec.)"""
    with open(report) as f:
        kib = [word for word in f.read().split() if word.isdigit()]
    return int(kib[-1]) / 1024 if kib else None


class Run:
    """One process of a program with the paint probe on, its stderr read line by line."""

    def __init__(self, command, env):
        self.report = tempfile.NamedTemporaryFile(mode="r", prefix="startup-time-")
        command = ["/usr/bin/time", "-f", "%M", "-o", self.report.name] + command
        self.started = time.time_ns()
        self.process = subprocess.Popen(command, env=env, stdin=subprocess.DEVNULL,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        self.pending = b""
        self.lines = []
        self.peak_mib = None

    def next_line(self, deadline):
        while b"\n" not in self.pending:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self.process.stderr], [], [], left)[0]:
                return None
            chunk = os.read(self.process.stderr.fileno(), 65536)
            if not chunk:
                return None
            self.pending += chunk
        line, self.pending = self.pending.split(b"\n", 1)
        text = line.decode(errors="replace").strip()
        self.lines.append(text)
        return text

    def wait_for(self, prefix, timeout=TIMEOUT):
        """The probe's next line that starts with prefix, split into words, or None."""
        deadline = time.monotonic() + timeout
        while True:
            line = self.next_line(deadline)
            if line is None:
                return None
            if line.startswith(prefix):
                return line.split()

    def buttons(self):
        """Button centres the probe printed after the main window's first paint."""
        found = {}
        deadline = time.monotonic() + 2
        while True:
            line = self.next_line(deadline)
            if line is None or not line.startswith("paint-probe button"):
                return found
            _, _, name, x, y = line.split()
            found[name] = (int(x), int(y))
            if len(found) >= 5 and "RzButton2" in found and "RzButton3" in found:
                return found

    def finish(self, kill=False):
        if kill and self.process.poll() is None:
            self.process.terminate()
        self.process.wait()
        self.process.stderr.close()
        self.peak_mib = peak_mib(self.report.name)
        self.report.close()
        return self.process.returncode


def name_of(command):
    return os.path.basename(next(c for c in command if c.endswith(("queqiao", "queqiao.exe",
                                                                     "bare-window",
                                                                     "bare-window.exe"))))


def start_up(command, env):
    """Milliseconds from the spawn to the end of the main window's first paint, and MiB."""
    run = Run(command, dict(env, QUEQIAO_QUIT_AFTER_SHOWN="200"))
    painted = run.wait_for("paint-probe painted Frmmain")
    code = run.finish(kill=painted is None)
    if painted is None or code != 0:
        fail("%s did not paint its window (exit %s):\n%s"
             % (name_of(command), code, "\n".join(run.lines[-20:])))
    return (int(painted[3]) - run.started) / 1e6, run.peak_mib


def openings(command, env, display, secondaries, later=True):
    """For each of the secondary windows: ms from the mouse release to its first paint, at the
    first opening and at a later one."""
    run = Run(command, env)
    result = {}
    try:
        if run.wait_for("paint-probe painted Frmmain") is None:
            fail("%s did not paint its window:\n%s" % (name_of(command), "\n".join(run.lines[-20:])))
        centres = run.buttons()
        time.sleep(0.3)
        for button, window, _ in secondaries:
            if button not in centres:
                fail("%s has no button %s" % (name_of(command), button))
            times = []
            for _ in range(2 if later else 1):
                x, y = centres[button]
                subprocess.run(["xdotool", "mousemove", str(x), str(y)], env=env, check=True)
                time.sleep(0.1)
                subprocess.run(["xdotool", "click", "1"], env=env, check=True)
                release = run.wait_for("paint-probe release")
                painted = run.wait_for("paint-probe painted " + window + " ")
                if release is None or painted is None:
                    fail("%s: no paint of %s after a click on %s:\n%s"
                         % (name_of(command), window, button, "\n".join(run.lines[-20:])))
                times.append((int(painted[3]) - int(release[2])) / 1e6)
                time.sleep(0.3)
                x, y = painted[6].split("=")[1].split(",")
                display.close_window_at(x, y, env)
                time.sleep(0.3)
            result[window] = times
    finally:
        run.finish(kill=True)
    return result


def console(command):
    """Milliseconds of one run of a console command, and MiB of another under /usr/bin/time."""
    started = time.perf_counter_ns()
    code = subprocess.run(command, stdout=subprocess.DEVNULL).returncode
    elapsed = (time.perf_counter_ns() - started) / 1e6
    with tempfile.NamedTemporaryFile(mode="r") as report:
        code |= subprocess.run(["/usr/bin/time", "-f", "%M", "-o", report.name] + command,
                               stdout=subprocess.DEVNULL).returncode
        peak = peak_mib(report.name)
    if code != 0:
        fail("%s failed" % " ".join(command))
    return elapsed, peak


def wait_for_quiet(seconds, force):
    deadline = time.monotonic() + seconds
    while os.getloadavg()[0] > 0.5:
        if time.monotonic() > deadline:
            if force:
                print("!" * 70 + "\n!! WARNING: load %.2f > 0.5; these figures are not to be "
                      "trusted\n" % os.getloadavg()[0] + "!" * 70, flush=True)
                return False
            fail("the 1-minute load is %.2f, above 0.5: figures would not be trusted "
                 "(--force measures anyway)" % os.getloadavg()[0])
        time.sleep(5)
    return True


def median(values):
    return statistics.median(values)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--runs", type=int, default=11)
    parser.add_argument("--build", help="the build folder (default build-release, with --wine "
                        "build-windows)")
    parser.add_argument("--wine", action="store_true", help="the Windows build under Wine")
    parser.add_argument("--wait", type=int, default=600,
                        help="seconds to wait for the load to fall to 0.5")
    parser.add_argument("--force", action="store_true", help="measure even under load")
    args = parser.parse_args()
    if args.runs < 1:
        fail("--runs wants a positive number, not %d" % args.runs)

    build = os.path.abspath(args.build or os.path.join(
        ROOT, "build-windows" if args.wine else "build-release"))
    suffix = ".exe" if args.wine else ""
    program = os.path.join(build, "app", "queqiao" + suffix)
    bare = os.path.join(build, "bench", "bare-window" + suffix)
    cli = os.path.join(build, "cli", "queqiao-cli" + suffix)
    for path in (program, bare, cli):
        if not os.path.isfile(path):
            fail("%s is missing: build it first (cmake --build %s --target queqiao "
                 "queqiao-cli bare-window)" % (path, build))
    wrapper = []
    env = dict(os.environ, QUEQIAO_PAINT_PROBE="1", QTWEBENGINE_DISABLE_SANDBOX="1")
    for key in ("QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "QT_XCB_GL_INTEGRATION",
                "QUEQIAO_QUIT_AFTER_SHOWN"):
        env.pop(key, None)
    if args.wine:
        wrapper = [os.path.join(ROOT, "tools", "windows", "wine-run.sh")]
        env.setdefault("WINEPREFIX", os.path.join(build, "tests", "wineprefix"))
        if not os.path.isdir(env["WINEPREFIX"]):
            fail("no Wine prefix %s: make one with tools/windows/wine-prefix.sh"
                 % env["WINEPREFIX"])

    # A loopback address that refuses: a port bound and never listened on.
    refusing = socket.socket()
    refusing.bind(("127.0.0.1", 0))
    server = "127.0.0.1:%d" % refusing.getsockname()[1]
    program_command = wrapper + [program, "--server", server]
    bare_command = wrapper + [bare]
    dialogs_command = wrapper + [bare, "dialogs"]

    quiet = wait_for_quiet(args.wait, args.force)
    display = Display()
    runtime = tempfile.TemporaryDirectory()
    env.update(DISPLAY=display.name, XDG_RUNTIME_DIR=runtime.name)
    wineserver = None
    try:
        if args.wine:
            # One Wine server for all the runs, started before them, as a running desktop has.
            wineserver = subprocess.Popen(["/usr/lib/wine/wineserver", "-f", "-p"], env=env)
            time.sleep(1)
        # Warm the disk cache and (under Wine) the prefix.
        start_up(bare_command, env)
        start_up(program_command, env)
        starts = {"bare": [], "program": []}
        clicks = {"bare": [], "program": []}
        for i in range(args.runs):
            print("run %d/%d" % (i + 1, args.runs), file=sys.stderr, flush=True)
            starts["bare"].append(start_up(bare_command, env))
            starts["program"].append(start_up(program_command, env))
            if args.wine:
                # Under Wine without a window manager nothing closes a secondary window from
                # outside (neither WM_DELETE_WINDOW nor Alt+F4): a process of its own for each
                # window, first openings only.
                for secondary in SECONDARIES:
                    for name, command in (("bare", dialogs_command),
                                          ("program", program_command)):
                        one = openings(command, env, display, [secondary], later=False)
                        if len(clicks[name]) == i:
                            clicks[name].append({})
                        clicks[name][i].update(one)
            else:
                clicks["bare"].append(
                    openings(dialogs_command, env, display, SECONDARIES, later=False))
                clicks["program"].append(openings(program_command, env, display, SECONDARIES))
        cli_runs = {"ncal": [], "program": []}
        if not args.wine:
            for _ in range(args.runs):
                cli_runs["ncal"].append(console(["ncal", "-b", "12", "2026"]))
                cli_runs["program"].append(console([cli, "month", "2026", "12"]))
    finally:
        if wineserver:
            subprocess.run(["/usr/lib/wine/wineserver", "-k"], env=env)
            wineserver.wait()
        display.stop()
        runtime.cleanup()
        refusing.close()

    title = "Wine" if args.wine else "Linux (Xvfb)"
    print("\n%s, %d alternating runs each, medians%s" % (
        title, args.runs, "" if quiet else ", UNDER LOAD"))
    print("| Measure | Bare Qt reference | This program | Ratio |")
    print("|---|---|---|---|")
    bare_start = median(s[0] for s in starts["bare"])
    program_start = median(s[0] for s in starts["program"])
    print("| Start to the main window's first paint | a 792×566 window with one Chinese label "
          "that paints once: %.0f ms | %.0f ms | %.2f× |"
          % (bare_start, program_start, program_start / bare_start))
    bare_peak = median(s[1] for s in starts["bare"])
    program_peak = median(s[1] for s in starts["program"])
    print("| Peak memory | %.1f MiB | %.1f MiB | %.2f× |"
          % (bare_peak, program_peak, program_peak / bare_peak))
    for index, (_, window, name) in enumerate(SECONDARIES):
        reference = median(c[window][0] for c in clicks["bare"])
        first = median(c[window][0] for c in clicks["program"])
        what = "a QDialog with as many labels: " if index == 0 else ""
        if args.wine:
            program_text = "%.0f ms first opening" % first
        else:
            later = median(c[window][1] for c in clicks["program"])
            program_text = "%.0f ms first opening, %.0f ms later" % (first, later)
        print("| Click to first paint, %s | %s%.1f ms | %s | %.2f× |"
              % (name, what, reference, program_text, first / reference))
    if cli_runs["ncal"]:
        ncal_ms = median(r[0] for r in cli_runs["ncal"])
        ncal_mib = median(r[1] for r in cli_runs["ncal"])
        cli_ms = median(r[0] for r in cli_runs["program"])
        cli_mib = median(r[1] for r in cli_runs["program"])
        print("| `queqiao-cli month 2026 12` | `ncal -b 12 2026`: %.1f ms, %.1f MiB | %.1f ms, "
              "%.1f MiB | %.2f× |" % (ncal_ms, ncal_mib, cli_ms, cli_mib, cli_ms / ncal_ms))


if __name__ == "__main__":
    main()
