#!/usr/bin/python3 -B
"""Times whole-process start-up to the first painted main window under Xvfb
with openbox: the program's start-up probe beside the floor (an empty Qt
window of the same size), launches interleaved, medians of N each.

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
    probe = os.path.join(build, "tools", "startup_bench", "lansu_startup_probe")
    floor = os.path.join(build, "tools", "startup_bench", "lansu_startup_floor")
    session = x11session.X11Session(probe)
    session.start()
    try:
        env = session.app_env
        for path in (probe, floor):  # warm the caches once
            launch(path, env)
        times = {probe: [], floor: []}
        memory = {probe: [], floor: []}
        for _ in range(launches):
            for path in (probe, floor):
                elapsed, peak = launch(path, env)
                times[path].append(elapsed)
                memory[path].append(peak)
    finally:
        session.stop()
    p_time, f_time = statistics.median(times[probe]), statistics.median(times[floor])
    p_mem, f_mem = statistics.median(memory[probe]), statistics.median(memory[floor])
    print(f"start-up to first paint, median of {launches}:")
    print(f"  program {p_time * 1000:7.1f} ms   peak {p_mem:6.1f} MiB")
    print(f"  floor   {f_time * 1000:7.1f} ms   peak {f_mem:6.1f} MiB")
    print(f"  ratio   {p_time / f_time:7.2f}      extra {p_mem - f_mem:+6.1f} MiB")


if __name__ == "__main__":
    main()
