#!/usr/bin/python3 -B
"""Times whole-process start-up to the first painted main window under Xvfb
with openbox: the program's start-up probe beside the floor (an empty Qt
window of the same size) and the text floor (that window with one Chinese
character in the program's font). Each round launches the three once, in an
order that rotates from round to round, so no program always runs first or
last; ratios are taken within each round, where the machine's speed is the
same for all three, and reported as the median with the lowest and highest.

usage: tools/startup_bench/run.py BUILD_DIR [ROUNDS]
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
        names = list(programs)
        times = {name: [] for name in programs}
        memory = {name: [] for name in programs}
        for round_ in range(launches):
            shift = round_ % len(names)
            for name in names[shift:] + names[:shift]:
                elapsed, peak = launch(programs[name], env)
                times[name].append(elapsed)
                memory[name].append(peak)
    finally:
        session.stop()

    def spread(values, scale=1.0, unit=""):
        return (f"{statistics.median(values) * scale:.2f}{unit} "
                f"({min(values) * scale:.2f} to {max(values) * scale:.2f})")

    def ratios(a, b):
        return [x / y for x, y in zip(times[a], times[b])]

    print(f"start-up to first paint, {launches} rounds, median (lowest to highest):")
    for name in programs:
        print(f"  {name:10s} {spread(times[name], 1000, ' ms')}   "
              f"peak {statistics.median(memory[name]):.1f} MiB")
    for a, b in (("program", "floor"), ("program", "text floor"), ("text floor", "floor")):
        extra = statistics.median(memory[a]) - statistics.median(memory[b])
        print(f"  {a} / {b}: {spread(ratios(a, b), unit='x')}   extra {extra:+.1f} MiB")


if __name__ == "__main__":
    main()
