#!/usr/bin/env python3
"""Prints the benchmark table: whole-process timings measured here (medians of
RUNS runs: wall time, CPU time and peak RSS of each child) and the in-process Google Benchmark figures
read from the JSON files named on the command line.

usage: table.py BUILD_DIR RUNS BENCH_JSON..."""
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

build, runs, reports = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
kestrum = os.path.join(build, "kestrum")
data = tempfile.mkdtemp()
shutil.copy(os.path.join(build, "rt.dt"), data)


def run(argv, env=None):
    """Wall and CPU time in ms and standard error of one process."""
    environment = dict(os.environ, **(env or {}))
    environment["KESTRUM_EXEC_NS"] = str(time.time_ns())
    start = time.perf_counter()
    child = subprocess.Popen(argv, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                             env=environment)
    err = child.stderr.read().decode()
    _, status, usage = os.wait4(child.pid, 0)
    elapsed = (time.perf_counter() - start) * 1000
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"{' '.join(argv)} failed: {err}")
    return elapsed, (usage.ru_utime + usage.ru_stime) * 1000, err


def peak_mib(argv, env=None):
    """Peak RSS by /usr/bin/time: a child forked from this script would count
    the script's own pages until it execs."""
    with tempfile.NamedTemporaryFile("r") as out:
        subprocess.run(["/usr/bin/time", "-f", "%M", "-o", out.name, *argv], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       env=dict(os.environ, **(env or {})))
        return int(out.read().split()[-1]) / 1024


def medians(argv, env=None):
    samples = [run(argv, env) for _ in range(runs)]
    return (statistics.median(s[0] for s in samples), statistics.median(s[1] for s in samples),
            statistics.median(peak_mib(argv, env) for _ in range(runs)), [s[2] for s in samples])


rows = []
qalc_ms, qalc_cpu, qalc_mib, _ = medians(["qalc", "-t", "100*0.9643*0.96"])
rows.append(("qalc -t \"100*0.9643*0.96\" (reference)", f"{qalc_ms:.1f} ms ({qalc_cpu:.1f} ms CPU)",
             f"{qalc_mib:.1f} MiB", "1.00 × qalc"))
ms, cpu, mib, _ = medians([os.path.join(build, "bench", "bare_core")])
rows.append(("a bare Qt Core program (floor)", f"{ms:.1f} ms ({cpu:.1f} ms CPU)", f"{mib:.1f} MiB",
             f"{qalc_ms / ms:.1f} × faster ({qalc_cpu / cpu:.1f} × in CPU), "
             f"{mib / qalc_mib:.2f} × memory"))
for command in (["convert", "100", "USD", "CAD"], ["list"], ["rates", "--json"]):
    ms, cpu, mib, _ = medians([kestrum, *command, "--data-dir", data])
    rows.append((f"kestrum {' '.join(command)}", f"{ms:.1f} ms ({cpu:.1f} ms CPU)", f"{mib:.1f} MiB",
                 f"{qalc_ms / ms:.1f} × faster ({qalc_cpu / cpu:.1f} × in CPU), "
                 f"{mib / qalc_mib:.2f} × memory"))

window_env = {"QT_QPA_PLATFORM": "offscreen", "KESTRUM_FIRST_PAINT_REPORT": "1"}
shutil.copy(os.path.join(build, "rt.dt"), data)
run([kestrum, "--data-dir", data], window_env)  # first run writes the settings
_, _, mib, errors = medians([kestrum, "--data-dir", data], window_env)
from_main, from_exec = [], []
for err in errors:
    line = next(l for l in err.splitlines() if l.startswith("first paint:"))
    parts = line.replace(",", "").split()
    from_main.append(float(parts[2]))
    from_exec.append(float(parts[6]))
rows.append(("window: first paint (offscreen)",
             f"{statistics.median(from_main):.1f} ms from main, "
             f"{statistics.median(from_exec):.1f} ms from exec", f"{mib:.1f} MiB", ""))

for report in reports:
    with open(report) as f:
        for b in json.load(f)["benchmarks"]:
            if b.get("run_type") == "aggregate" and b.get("aggregate_name") != "median":
                continue
            figure = f"{b['real_time']:.3g} {b['time_unit']}"
            extra = ""
            if "bytes_per_second" in b:
                extra = f"{b['bytes_per_second'] / 1e6:.0f} MB/s"
            if "progress_events" in b:
                extra += f", {b['progress_events']:.0f} progress events"
            rows.append((b["name"].replace("_median", ""), figure, "", extra))

widths = [max(len(r[i]) for r in rows + [("What", "Time", "Peak RSS", "Note")]) for i in range(4)]
line = lambda r: "| " + " | ".join(c.ljust(w) for c, w in zip(r, widths)) + " |"
print(line(("What", "Time", "Peak RSS", "Note")))
print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
for r in rows:
    print(line(r))
shutil.rmtree(data)
