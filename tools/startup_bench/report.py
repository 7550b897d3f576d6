#!/usr/bin/python3 -B
"""Runs every benchmark of a build once and prints the README's benchmark
table, with the date and the machine's load when it ran.

usage: tools/startup_bench/report.py BUILD_DIR [ROUNDS]

Needs the build's benchmarks (preset default), Xvfb and openbox for the
start-up rounds, and valgrind for the instructions to the first paint.
"""
import datetime
import json
import os
import re
import subprocess
import sys

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "..", "tests", "e2e"))
import x11session  # noqa: E402


def google_benchmark(path):
    """Each benchmark's aggregates over its repetitions (median, stddev, ...),
    by name, in microseconds; counters as they are."""
    out = subprocess.run([path, "--benchmark_format=json"], check=True,
                         capture_output=True).stdout
    to_us = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}
    results = {}
    for entry in json.loads(out)["benchmarks"]:
        if entry.get("run_type") != "aggregate":
            continue
        name = entry["run_name"].split("/")[0]
        figures = dict(entry, time=entry["real_time"] * to_us[entry["time_unit"]])
        results.setdefault(name, {})[entry["aggregate_name"]] = figures
    return results


def spread(aggregates, key, fmt):
    """The median, and the standard deviation of the repetitions."""
    return (fmt.format(aggregates["median"][key]) + " ± "
            + fmt.format(aggregates["stddev"][key]))


def instructions_to_first_paint(probe, env):
    """Instructions the probe runs from its start to its first paint."""
    out = subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=/dev/null",
                          probe], env=env, capture_output=True, text=True).stderr
    collected = {pid: int(count)
                 for pid, count in re.findall(r"==(\d+)== Collected : (\d+)", out)}
    pid_of_probe = re.findall(r"==(\d+)== Command: " + re.escape(probe), out)
    if pid_of_probe and pid_of_probe[0] in collected:
        return collected[pid_of_probe[0]]
    return max(collected.values()) if collected else None


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build/default"
    rounds = sys.argv[2] if len(sys.argv) > 2 else "20"
    load = open("/proc/loadavg").read().split()[:3]
    when = datetime.datetime.now().strftime("%Y-%m-%d %H:%M")

    decode = google_benchmark(os.path.join(build, "benchmarks", "lansu_benchmarks"))
    realise = google_benchmark(os.path.join(build, "benchmarks", "lansu_realise_benchmarks"))
    share = (decode["BM_DecodeForm1"]["median"]["time"]
             / realise["BM_RealiseForm1FromRecord"]["median"]["time"] * 100)

    startup = subprocess.run([sys.executable, "-B", os.path.join(here, "run.py"), build, rounds],
                             check=True, capture_output=True, text=True).stdout
    session = x11session.X11Session(os.path.join(build, "tools", "startup_bench",
                                                 "lansu_startup_probe"))
    session.start()
    try:
        instructions = instructions_to_first_paint(session.executable, session.app_env)
    finally:
        session.stop()

    print(f"Measured {when}, load average {' '.join(load)}, {os.cpu_count()} cores.\n")
    print("| What | Median ± standard deviation | Target |")
    print("|---|---|---|")
    print(f"| Decode Form1's record | {spread(decode['BM_DecodeForm1'], 'time', '{:.1f} µs')} | |")
    print(f"| Decode Form2's record | {spread(decode['BM_DecodeForm2'], 'time', '{:.1f} µs')} | |")
    print(f"| Realise Form1 from its record | "
          f"{spread(realise['BM_RealiseForm1FromRecord'], 'time', '{:.0f} µs')} | |")
    print(f"| Decoding's share of realising Form1 from its record | {share:.2f} % | < 5 % |")
    print(f"| The same, decoding timed in place in the paired turns | "
          f"{spread(realise['BM_RealiseForm1RecordOverDescription'], 'decoding_share_in_place', '{:.2f} %')}"
          f" | |")
    print(f"| Realise from record / from description, paired turns | "
          f"{spread(realise['BM_RealiseForm1RecordOverDescription'], 'record_over_description', '{:.3f}x')}"
          f" | ≤ 1.05x |")
    if instructions:
        print(f"| Instructions from launch to the first paint | {instructions / 1e6:.1f} million | |")
    for line in startup.splitlines():
        match = re.match(r"\s+(program / floor|program / text floor|text floor / floor): (.*?)\s+extra (.*)", line)
        if match:
            target = "≤ 1.3x" if match.group(1) == "program / floor" else ""
            print(f"| Start-up, {match.group(1)} | {match.group(2)}; {match.group(3)} peak memory | {target} |")
    print(f"\nStart-up rounds as tools/startup_bench/run.py prints them:\n\n```\n{startup}```")


if __name__ == "__main__":
    main()
