#!/usr/bin/python3 -B
"""Times whole-process start-up to the first painted main window under Xvfb
with openbox: the program's start-up probe beside the floor (an empty Qt
window of the same size) and the text floor (that window with one Chinese
character in the program's font), launches interleaved, medians of N each.

usage: tools/startup_bench/run.py BUILD_DIR [LAUNCHES]
"""
import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tests", "e2e"))
import x11session  # noqa: E402


def launch(path, env):
    """Seconds from launch to the first painted window (as the process reports
    it on the monotonic clock, so its exit is not counted), and the peak
    resident memory in MiB."""
    start = time.monotonic_ns()
    process = subprocess.Popen([path], env=env, stdout=subprocess.PIPE,
                               stderr=subprocess.DEVNULL)
    output = process.stdout.read().decode()
    _, status, usage = os.wait4(process.pid, 0)
    process.returncode = os.waitstatus_to_exitcode(status)
    if process.returncode != 0 or not output.startswith("painted "):
        raise SystemExit(f"{path} exited with {process.returncode}: {output!r}")
    painted = int(output.split()[1])
    return (painted - start) / 1e9, usage.ru_maxrss / 1024.0


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build/default"
    launches = int(sys.argv[2]) if len(sys.argv) > 2 else 20
    bench = os.path.join(build, "tools", "startup_bench")
    programs = {
        "program": os.path.join(bench, "lansu_startup_probe"),
        "floor": os.path.join(bench, "lansu_startup_floor"),
        "text floor": os.path.join(bench, "lansu_startup_text_floor"),
    }
    session = x11session.X11Session(programs["program"])
    session.start()
    try:
        env = session.app_env
        for path in programs.values():  # warm the caches once
            launch(path, env)
        times = {name: [] for name in programs}
        memory = {name: [] for name in programs}
        for _ in range(launches):
            for name, path in programs.items():
                elapsed, peak = launch(path, env)
                times[name].append(elapsed)
                memory[name].append(peak)
    finally:
        session.stop()
    time_of = {name: statistics.median(values) for name, values in times.items()}
    memory_of = {name: statistics.median(values) for name, values in memory.items()}
    print(f"start-up to first paint, median of {launches}:")
    for name in programs:
        print(f"  {name:10s} {time_of[name] * 1000:7.1f} ms   peak {memory_of[name]:6.1f} MiB")
    for floor in ("floor", "text floor"):
        print(f"  program / {floor:10s} {time_of['program'] / time_of[floor]:5.2f}x   "
              f"extra {memory_of['program'] - memory_of[floor]:+6.1f} MiB")
    print(f"  text floor / floor {time_of['text floor'] / time_of['floor']:5.2f}x   "
          f"extra {memory_of['text floor'] - memory_of['floor']:+6.1f} MiB")


if __name__ == "__main__":
    main()
