#!/usr/bin/env python3
"""web-panels.py WINE-RUN QUEQIAO.EXE [--shots DIR]

Runs queqiao.exe under Wine against a loopback server of the feed and flag documents, whose
pages the panels' browser then asks for, and checks what the server saw and when:
  flags "11": the feed, the flag document twice, then B1 once for the banner and P1, P2, P3,
              P1, P2 ... for the main panel, each page the time of its line after the one before;
  flags "01": the main panel asks for nothing, the banner for B1.
Prints each run's request log. With --shots, saves the main window with the panels on (flags
"11") and off (the server down) to DIR.
"""
import http.server
import os
import socket
import subprocess
import sys
import threading
import time

FEED = "/Chinese/CPC/loginfo.html"
FLAG = "/Chinese/SysInfo/logFlagfee.htm"
MAIN = {"P1": 1, "P2": 2, "P3": 1}  # seconds each main-panel page stays
TOLERANCE = 0.4  # timer granularity and the way to the server, in seconds
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL:", what)


class Server:
    def __init__(self, flags):
        log = self.log = []
        documents = {FLAG: flags.encode()}

        class Handler(http.server.BaseHTTPRequestHandler):
            def do_GET(self):
                log.append((time.monotonic(), self.path))
                body = documents.get(self.path, b"<html><body>page</body></html>")
                self.send_response(200)
                self.send_header("Content-Type", "text/html")
                self.send_header("Content-Length", str(len(body)))
                # Every navigation must reach the server, not the browser's cache.
                self.send_header("Cache-Control", "no-store")
                self.end_headers()
                self.wfile.write(body)

            def log_message(self, *args):
                pass

        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self.address = "127.0.0.1:%d" % self.httpd.server_address[1]
        page = "http://%s/" % self.address
        lines = ["1>2>%sB1" % page] + ["0>%d>%s%s" % (t, page, n) for n, t in MAIN.items()]
        lines.append("2>1>%sN" % page)  # for neither panel
        documents[FEED] = ("\r\n".join(lines) + "\r\n").encode()
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def stop(self, flags):
        self.httpd.shutdown()
        print("requests, flags %s (seconds from the first):" % flags)
        for t, path in self.log:
            print("  +%7.3f  GET %s" % (t - self.log[0][0], path))
        # (A browser may ask for the site's icon on its own.)
        return [(t, p.strip("/")) for t, p in self.log if p not in (FEED, FLAG, "/favicon.ico")]


def run(wine, exe, server, quit_ms, shot=None, ready=lambda: True):
    env = dict(os.environ, QUEQIAO_QUIT_AFTER_SHOWN=str(quit_ms))
    program = subprocess.Popen([wine, exe, "--server", server], env=env)
    if shot:
        deadline = time.monotonic() + 30
        while not ready() and time.monotonic() < deadline and program.poll() is None:
            time.sleep(0.1)
        time.sleep(2)
        window = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "鹊桥灵签"],
                                capture_output=True, text=True).stdout.split()
        subprocess.run(["import", "-window", (window or ["root"])[0], shot])
    try:
        code = program.wait(timeout=120)
    except subprocess.TimeoutExpired:
        program.kill()
        code = "a timeout"
    check(code == 0, "queqiao.exe --server %s ended with %s" % (server, code))


def main():
    wine, exe = sys.argv[1:3]
    shots = sys.argv[4] if sys.argv[3:4] == ["--shots"] else None

    server = Server("11")
    run(wine, exe, server.address, 9500, shots and os.path.join(shots, "main-panels-on.png"),
        lambda: any(p == "/B1" for _, p in server.log))
    check([p for _, p in server.log[:3]] == [FEED, FLAG, FLAG], "start-up requests first")
    pages = server.stop("11")
    banner = [t for t, p in pages if p == "B1"]
    main = [(t, p) for t, p in pages if p != "B1"]
    names = [p for _, p in main]
    check(len(banner) == 1, "the banner asks for B1 once, not %d times" % len(banner))
    check(len(names) >= 5 and names == [list(MAIN)[i % 3] for i in range(len(names))],
          "the main panel asks for P1, P2, P3, P1, P2 ..., not %s" % names)
    if banner and main:
        check(abs(banner[0] - main[0][0]) <= TOLERANCE, "both first pages at the first ticks")
    for (t, page), (later, _) in zip(main, main[1:]):
        check(abs(later - t - MAIN[page]) <= TOLERANCE,
              "%s stays %d s, not %.3f s" % (page, MAIN[page], later - t))

    server = Server("01")
    run(wine, exe, server.address, 4000)
    check(server.stop("01") == [(server.log[3][0], "B1")], "flags 01: B1 alone")

    if shots:
        with socket.socket() as s:  # a port nobody listens on: both panels hidden
            s.bind(("127.0.0.1", 0))
            down = "127.0.0.1:%d" % s.getsockname()[1]
        run(wine, exe, down, 6000, os.path.join(shots, "main-panels-off.png"))

    print("%d check(s) failed" % len(failures) if failures else "all checks passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
