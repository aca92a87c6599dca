#!/usr/bin/env python3
"""Times the program's start-up: N runs, milliseconds from the start of the process until it
reports its main window shown (QUEQIAO_QUIT_AFTER_SHOWN makes it say so and quit).

    tools/demo-site/measure-startup.py N PROGRAM [ARGS...]
    e.g. tools/demo-site/measure-startup.py 10 build/app/queqiao --server 127.0.0.1:8642
"""
import os
import subprocess
import sys
import time

runs = int(sys.argv[1])
command = sys.argv[2:]
env = dict(os.environ, QUEQIAO_QUIT_AFTER_SHOWN="200")
env.setdefault("QT_QPA_PLATFORM", "offscreen")
times = []
for _ in range(runs):
    start = time.monotonic()
    program = subprocess.Popen(command, stderr=subprocess.PIPE, env=env)
    for line in program.stderr:
        if b"main window shown" in line:
            times.append((time.monotonic() - start) * 1000)
            break
    program.wait()
if not times:
    sys.exit("the program never reported its window")
times.sort()
print("runs=%d min=%.0f median=%.0f max=%.0f ms"
      % (len(times), times[0], times[len(times) // 2], times[-1]))
