#!/usr/bin/env python3
"""Prints the benchmark table: whole-process timings measured here (medians of
RUNS runs: wall time, CPU time and peak RSS of each child) and the in-process Google Benchmark figures
read from the JSON files named on the command line.

usage: table.py BUILD_DIR RUNS BENCH_JSON..."""
import functools
import http.server
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
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


def interleaved(argvs, env=None, before=None):
    """Medians of wall time, CPU time and peak RSS of each command line, the
    commands taking turns, so a change in the machine's load touches all.
    `before`, if given, is called with each command line before each of its
    runs, outside the clock."""
    samples = [[] for _ in argvs]
    for _ in range(runs):
        for i, argv in enumerate(argvs):
            if before:
                before(argv)
            ms, cpu, _ = run(argv, env)
            if before:
                before(argv)
            samples[i].append((ms, cpu, peak_mib(argv, env)))
    return [tuple(statistics.median(s[j] for s in taken) for j in range(3)) for taken in samples]


def medians(argv, env=None):
    samples = [run(argv, env) for _ in range(runs)]
    return (statistics.median(s[0] for s in samples), statistics.median(s[1] for s in samples),
            statistics.median(peak_mib(argv, env) for _ in range(runs)), [s[2] for s in samples])


MET, MISSED = "met", "NOT met"


def verdict(ok):
    return MET if ok else MISSED


# Each row: what, time, peak RSS, note, target, whether the target is met.
rows = []
qalc_ms, qalc_cpu, qalc_mib, _ = medians(["qalc", "-t", "100*0.9643*0.96"])
rows.append(("qalc -t \"100*0.9643*0.96\" (reference)", f"{qalc_ms:.1f} ms ({qalc_cpu:.1f} ms CPU)",
             f"{qalc_mib:.1f} MiB", "1.00 × qalc", "", ""))


def versus_qalc(ms, cpu, mib):
    return (f"{qalc_ms / ms:.1f} × faster ({qalc_cpu / cpu:.1f} × in CPU), "
            f"{mib / qalc_mib:.2f} × memory")


core_ms, core_cpu, core_mib, _ = medians([os.path.join(build, "bench", "bare_core")])
rows.append(("a bare Qt Core program (floor)", f"{core_ms:.1f} ms ({core_cpu:.1f} ms CPU)",
             f"{core_mib:.1f} MiB", versus_qalc(core_ms, core_cpu, core_mib), "", ""))
for command in (["convert", "100", "USD", "CAD"], ["list"], ["rates", "--json"]):
    ms, cpu, mib, _ = medians([kestrum, *command, "--data-dir", data])
    target, stands = "", ""
    if command[0] == "convert":
        target = "≥ 15 × faster, ≤ 1/3 memory"
        stands = (f"speed {verdict(qalc_ms / ms >= 15)} ({verdict(qalc_cpu / cpu >= 15)} in CPU), "
                  f"memory {verdict(mib <= qalc_mib / 3)}")
    rows.append((f"kestrum {' '.join(command)}", f"{ms:.1f} ms ({cpu:.1f} ms CPU)",
                 f"{mib:.1f} MiB",
                 versus_qalc(ms, cpu, mib) + f"; {ms / core_ms:.2f} × the Qt Core floor", target,
                 stands))

# The history: a whole ECB history (6,700 days x 30 currencies made from the
# 90-day layout) imported by a whole process into a fresh data directory,
# then answers from it beside plain convert in the same directory.
history = tempfile.mkdtemp()
subprocess.run([sys.executable, os.path.join(os.path.dirname(__file__), "make_history.py"),
                os.path.join(os.path.dirname(__file__), "data", "ecb-90d-2012-02-03.xml"), history],
               check=True)
hist_xml, expenses = os.path.join(history, "eurofxref-hist.xml"), os.path.join(history, "expenses.csv")
store = tempfile.mkdtemp()
run([kestrum, "import", hist_xml, "--data-dir", store])
# The peer: the sqlite3 shell importing the same rows, as CSV, into a fresh
# file of the same schema and journal, in one transaction.
shell_script = None
if shutil.which("sqlite3"):
    database = os.path.join(store, "history.sqlite")
    for table in ("observations", "days"):
        with open(os.path.join(history, f"{table}.csv"), "w") as out:
            subprocess.run(["sqlite3", "-csv", database, f"SELECT * FROM {table}"], check=True,
                           stdout=out)
    schema = subprocess.run(["sqlite3", database, ".schema"], check=True, capture_output=True,
                            text=True).stdout
    shell_script = os.path.join(history, "import.sql")
    with open(shell_script, "w") as out:
        out.write("PRAGMA journal_mode = WAL;\nPRAGMA synchronous = NORMAL;\n" + schema +
                  "BEGIN;\n" + "".join(f".import --csv {os.path.join(history, t)}.csv {t}\n"
                                        for t in ("observations", "days")) + "COMMIT;\n")
import_samples, shell_samples = [], []
for _ in range(max(3, runs // 3)):  # interleaved
    fresh = tempfile.mkdtemp()
    import_samples.append(run([kestrum, "import", hist_xml, "--data-dir", fresh]))
    if shell_script:
        shell_samples.append(run(["sqlite3", os.path.join(fresh, "shell.sqlite"),
                                  f".read {shell_script}"]))
    shutil.rmtree(fresh, ignore_errors=True)
ms = statistics.median(s[0] for s in import_samples)
cpu = statistics.median(s[1] for s in import_samples)
note = "parse, history and rt.dt"
if shell_samples:
    shell_ms = statistics.median(s[0] for s in shell_samples)
    note += f"; {ms / shell_ms:.2f} × the sqlite3 shell importing the same rows ({shell_ms:.0f} ms)"
rows.append(("kestrum import eurofxref-hist.xml (6,700 days × 30, fresh store)",
             f"{ms:.0f} ms ({cpu:.0f} ms CPU)", "", note, "< 1 s", verdict(ms < 1000)))
run([kestrum, "source", "ecb", "--data-dir", store], {})
(plain_ms, plain_cpu, plain_mib), (floor_ms, floor_cpu, _), dated = interleaved(
    [[kestrum, "convert", "100", "USD", "EUR", "--data-dir", store],
     [os.path.join(build, "bench", "bare_core")],
     [kestrum, "convert", "100", "USD", "EUR", "--date", "2020-02-29", "--data-dir", store]])
rows.append(("kestrum convert 100 USD EUR (beside the history)",
             f"{plain_ms:.1f} ms ({plain_cpu:.1f} ms CPU)", f"{plain_mib:.1f} MiB",
             f"1.00 × convert; {plain_cpu / floor_cpu:.2f} × the Qt Core floor in CPU "
             f"({floor_cpu:.1f} ms, taking turns)", "≤ 1.10 × the floor in CPU",
             verdict(plain_cpu <= 1.10 * floor_cpu)))
ms, cpu, mib = dated
rows.append(("kestrum convert 100 USD EUR --date 2020-02-29", f"{ms:.1f} ms ({cpu:.1f} ms CPU)",
             f"{mib:.1f} MiB", f"{ms / plain_ms:.2f} × convert (taking turns)", "≤ 1.3 × convert",
             verdict(ms <= 1.3 * plain_ms)))
# The peer: python3's csv module and a dict of the same rates (written from
# the same file before the clock starts), printing the same bytes.
peer_rates = os.path.join(history, "rates.csv")
subprocess.run([sys.executable, os.path.join(os.path.dirname(__file__), "batch_peer.py"),
                "--rates-from", hist_xml, peer_rates], check=True)
peer = [sys.executable, os.path.join(os.path.dirname(__file__), "batch_peer.py"), peer_rates,
        expenses]
same = (subprocess.run([kestrum, "convert", "--file", expenses, "--data-dir", store],
                       capture_output=True, check=True).stdout ==
        subprocess.run(peer, capture_output=True, check=True).stdout)
batch_samples, peer_samples = [], []
for _ in range(runs):  # interleaved, so both meet the same load
    batch_samples.append(run([kestrum, "convert", "--file", expenses, "--data-dir", store]))
    peer_samples.append(run(peer))
ms = statistics.median(s[0] for s in batch_samples)
cpu = statistics.median(s[1] for s in batch_samples)
peer_ms = statistics.median(s[0] for s in peer_samples)
mib = statistics.median(peak_mib([kestrum, "convert", "--file", expenses, "--data-dir", store])
                        for _ in range(3))
rows.append(("python3 csv + dict of the same rates (peer)", f"{peer_ms:.0f} ms", "",
             "byte-identical output" if same else "OUTPUT DIFFERS", "", ""))
rows.append(("kestrum convert --file (10,000 dated rows)", f"{ms:.0f} ms ({cpu:.0f} ms CPU)",
             f"{mib:.1f} MiB", f"{ms / peer_ms:.2f} × the peer", "≤ 1.0 × the peer",
             verdict(same and ms <= peer_ms)))
png = os.path.join(store, "chart.png")
ms, cpu, mib, _ = medians([kestrum, "history", "USD", "--from", "1999-01-04", "--data-dir", store])
rows.append(("kestrum history USD --from 1999-01-04 (6,700 lines)", f"{ms:.1f} ms ({cpu:.1f} ms CPU)",
             f"{mib:.1f} MiB", "", "", ""))
# The same series as the sqlite3 shell prints it from the same store: the
# floor of reading it. Interleaved, so both see the same machine.
if shutil.which("sqlite3"):
    shell = ["sqlite3", "-csv", os.path.join(store, "history.sqlite"),
             "SELECT date(day + 2415018.5), rate FROM observations "
             "WHERE source = 'ecb' AND code = 'USD' ORDER BY day"]
    csv = [kestrum, "history", "USD", "--from", "1999-01-04", "--csv", "--data-dir", store]
    pairs = [(run(csv), run(shell)) for _ in range(runs)]
    ms = statistics.median(p[0][0] for p in pairs)
    shell_ms = statistics.median(p[1][0] for p in pairs)
    rows.append(("kestrum history USD --csv (25 years)", f"{ms:.1f} ms", "",
                 f"{ms / shell_ms:.2f} × sqlite3 -csv of the series ({shell_ms:.1f} ms)",
                 "≤ 1.2 × sqlite3", verdict(ms <= 1.2 * shell_ms)))
(ms, cpu, mib), (floor_ms, _, _) = interleaved(
    [[kestrum, "list", "--date", "2020-02-28", "--json", "--data-dir", store],
     [os.path.join(build, "bench", "bare_core")]])
rows.append(("kestrum list --date 2020-02-28 --json", f"{ms:.1f} ms ({cpu:.1f} ms CPU)",
             f"{mib:.1f} MiB", f"{ms / floor_ms:.2f} × the Qt Core floor ({floor_ms:.1f} ms, "
             "taking turns)", "≤ 1.3 × the floor", verdict(ms <= 1.3 * floor_ms)))
# A chart of the whole history against one of 255 days, both on All.
short = tempfile.mkdtemp()
with open(os.path.join(short, "hist.xml"), "w") as out:
    subprocess.run([sys.executable, os.path.join(os.path.dirname(__file__), "make_ecb_history.py"),
                    "255", "2026-12-04"], check=True, stdout=out)
run([kestrum, "import", os.path.join(short, "hist.xml"), "--data-dir", short])
chart = ["chart", "USD", "CAD", "--range", "all", "--source", "ecb", "--output"]
pairs = [(run([kestrum, *chart, png, "--data-dir", store]),
          run([kestrum, *chart, os.path.join(short, "c.png"), "--data-dir", short]))
         for _ in range(runs)]
ms = statistics.median(p[0][0] for p in pairs)
short_ms = statistics.median(p[1][0] for p in pairs)
rows.append(("kestrum chart USD CAD --range all (6,700 days)", f"{ms:.0f} ms", "",
             f"{ms / short_ms:.2f} × the same on 255 days ({short_ms:.0f} ms)", "≤ 1.3 ×",
             verdict(ms <= 1.3 * short_ms)))
shutil.rmtree(short, ignore_errors=True)
ms, cpu, mib, _ = medians([kestrum, "chart", "USD", "CAD", "--range", "10y", "--source", "ecb",
                           "--output", png, "--data-dir", store])
rows.append(("kestrum chart USD CAD --range 10y (ECB history, offscreen)",
             f"{ms:.0f} ms ({cpu:.0f} ms CPU)", f"{mib:.1f} MiB", "the graphs module's chart",
             "< 400 ms", verdict(ms < 400)))
shutil.rmtree(store, ignore_errors=True)
shutil.rmtree(history, ignore_errors=True)

window_env = {"QT_QPA_PLATFORM": "offscreen", "KESTRUM_FIRST_PAINT_REPORT": "1"}
shutil.copy(os.path.join(build, "rt.dt"), data)
# A settings file first: without one the window offers shortcuts before it opens.
run([kestrum, "source", "boc", "--data-dir", data], {})
# Automatic download off (byte 8 of the record): on a loaded machine the
# download, 50 ms after the window opens, would start before the first paint.
with open(os.path.join(data, "kestrumconfig"), "r+b") as config:
    config.seek(8)
    config.write(b"\0")


def first_paint(argv):
    """Median first paint from main and from exec, and peak RSS."""
    _, _, mib, errors = medians(argv, window_env)
    from_main, from_exec = [], []
    for err in errors:
        line = next(l for l in err.splitlines() if l.startswith("first paint:"))
        parts = line.replace(",", "").split()
        from_main.append(float(parts[2]))
        from_exec.append(float(parts[6]))
    return statistics.median(from_main), statistics.median(from_exec), mib


floor_main, floor_exec, floor_mib = first_paint([os.path.join(build, "bench", "floor_window")])
rows.append(("a Qt Widgets window, one label and one button (floor)",
             f"{floor_main:.1f} ms from main, {floor_exec:.1f} ms from exec", f"{floor_mib:.1f} MiB",
             "1.00 × the floor", "", ""))
main_ms, exec_ms, mib = first_paint([kestrum, "--data-dir", data])
ratio = exec_ms / floor_exec
rows.append(("window: first paint (offscreen)",
             f"{main_ms:.1f} ms from main, {exec_ms:.1f} ms from exec", f"{mib:.1f} MiB",
             f"{ratio:.2f} × the floor from exec ({main_ms / floor_main:.2f} × from main)",
             "< 40 ms; ≤ 1.5 × the floor",
             f"from exec {verdict(exec_ms < 40)}, ratio {verdict(ratio <= 1.5)}"))

# `update` of a rate page padded to 10 and 30 MiB beside `curl -s -o` of the
# same file, all from one loopback server, taking turns.
pages = tempfile.mkdtemp()
with open(os.path.join(os.path.dirname(__file__), "..", "data", "noon-rates-2007-11-13.html"),
          "rb") as f:
    sample = f.read()
for mib in (10, 30):
    line = b"<!-- markup the page may carry after its table, not read by anyone -->\n"
    padding = line * ((mib * 2**20 - len(sample)) // len(line) + 1)
    with open(os.path.join(pages, f"{mib}.html"), "wb") as f:
        f.write((sample + padding)[: mib * 2**20])


class QuietFiles(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0),
                                         functools.partial(QuietFiles, directory=pages))
threading.Thread(target=server.serve_forever, daemon=True).start()
address = f"http://127.0.0.1:{server.server_address[1]}"
fetched = tempfile.mkdtemp()
commands = []
curl_page = os.path.join(fetched, "curl.html")
for mib in (10, 30):
    commands.append([kestrum, "update", "--url", f"{address}/{mib}.html", "--data-dir", fetched])
    commands.append(["curl", "-s", "-o", curl_page, f"{address}/{mib}.html"])


def fresh_curl_page(argv):
    """curl writes a new file each time, as kestrum writes its page: on ext4,
    truncating the last run's file on open would start writing it to the
    disk at curl's close, and kestrum's next fdatasync would wait for it."""
    if argv[0] == "curl" and os.path.exists(curl_page):
        os.remove(curl_page)


(u10, c10, u30, c30) = interleaved(commands, before=fresh_curl_page)
server.shutdown()
shutil.rmtree(pages, ignore_errors=True)
shutil.rmtree(fetched, ignore_errors=True)
for mib, (ms, cpu, rss), (curl_ms, curl_cpu, curl_rss) in ((10, u10, c10), (30, u30, c30)):
    rows.append((f"kestrum update of a {mib} MiB page (loopback)", f"{ms:.0f} ms ({cpu:.0f} ms CPU)",
                 f"{rss:.1f} MiB", f"{ms / curl_ms:.2f} × curl -s -o ({curl_ms:.0f} ms, "
                 f"{curl_rss:.1f} MiB)", "≤ 1.5 × curl", verdict(ms <= 1.5 * curl_ms)))
rows.append(("kestrum update: memory against the answer's size", "",
             f"{u30[2] - u10[2]:+.1f} MiB", "peak RSS at 30 MiB less that at 10 MiB",
             "flat (within 1 MiB)", verdict(abs(u30[2] - u10[2]) <= 1.0)))

# A first transfer needs a fresh process each time; curl fetches the same
# file from the same server in each.
grabber_rates, curl_rates, hand_overs = [], [], []
for _ in range(min(runs, 10)):
    line = subprocess.run([os.path.join(build, "bench", "first_download")], check=True,
                          capture_output=True, text=True).stdout
    parts = line.replace(",", "").split()
    grabber_rates.append(float(parts[3]))
    curl_rates.append(float(parts[6]))
    hand_overs.append(int(parts[8]))
grabber_rate, curl_rate = statistics.median(grabber_rates), statistics.median(curl_rates)
rows.append(("first download of 10 MiB to its file (grabber)", f"{grabber_rate:.0f} MB/s", "",
             f"{grabber_rate / curl_rate:.2f} × curl ({curl_rate:.0f} MB/s), "
             f"{max(hand_overs)} progress hand-overs", "≥ 200 MB/s, ≤ 101 hand-overs",
             f"{verdict(grabber_rate >= 200)}, {verdict(max(hand_overs) <= 101)}"))

# In-process targets by benchmark name: the bound in the benchmark's own
# unit and how it reads.
time_targets = {
    "ParseRatePageBench": (50e-6, "< 50 µs"),
    "ParseLargePageBench/1048576": (20e-3, "< 20 ms"),
    "OpenAllRangeBench/0/manual_time": (150e-3, "< 150 ms"),
    "SwitchRangeBench": (50e-3, "< 50 ms"),
}
seconds_per = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}
large_page_rates, grid_seconds, rates, seconds_of, openings = [], [], {}, {}, {}
for report in reports:
    with open(report) as f:
        for b in json.load(f)["benchmarks"]:
            if b.get("run_type") == "aggregate" and b.get("aggregate_name") != "median":
                continue
            name = b.get("run_name", b["name"].replace("_median", ""))
            seconds = b["real_time"] * seconds_per[b["time_unit"]]
            figure = f"{b['real_time']:.3g} {b['time_unit']}"
            notes = []
            if "bytes_per_second" in b:
                notes.append(f"{b['bytes_per_second'] / 1e6:.0f} MB/s")
            for counter in ("progress_events", "bar_paints", "days", "bytes"):
                if counter in b:
                    notes.append(f"{b[counter]:.0f} {counter.replace('_', ' ')}")
            target, stands = "", ""
            if name in time_targets:
                bound, target = time_targets[name]
                stands = verdict(seconds < bound)
            seconds_of[name] = seconds
            if name.startswith("ParseLargePageBench/"):
                large_page_rates.append(b["bytes_per_second"])
            if name.startswith("Fill") and name.endswith("GridBench"):
                grid_seconds.append(seconds)
            if "bytes_per_second" in b:
                rates[name] = b["bytes_per_second"]
            if name.startswith("OpenAllRangeBench/"):
                openings[name.split("/")[1]] = seconds
            if name in ("ReadEcbHistoryBench", "ReadValetYearsBench"):
                target, stands = "≥ 150 MB/s", verdict(b["bytes_per_second"] >= 150e6)
            if name.startswith("DownloadBench/10485760"):
                target, stands = "≥ 100 MB/s", verdict(b["bytes_per_second"] >= 100e6)
            rows.append((name, figure, "", ", ".join(notes), target, stands))

for body in ("EcbHistory", "ValetYears"):
    if f"Read{body}Bench" in rates and f"Scan{body}Bench" in rates:
        rows.append((f"Read{body}Bench against the plain scan", "", "",
                     f"{rates[f'Scan{body}Bench'] / rates[f'Read{body}Bench']:.2f} × the scan's "
                     "time", "", ""))
if "ChartPngBench" in seconds_of and "ChartPngDefaultLevelBench" in seconds_of:
    rows.append(("ChartPngBench against Qt's default PNG level", "", "",
                 f"{seconds_of['ChartPngBench'] / seconds_of['ChartPngDefaultLevelBench']:.2f} × "
                 "the default level's drawing and encoding", "", ""))
if len(large_page_rates) > 1:
    spread = max(large_page_rates) / min(large_page_rates)
    rows.append(("ParseLargePageBench: cost against size", "", "",
                 f"throughput varies {spread:.2f} × from the smallest to the largest page",
                 "linear (within 1.25 ×)", verdict(spread <= 1.25)))
if len(openings) == 2:
    rows.append(("Graphs window on 6,700 days against 3 years", "", "",
                 f"{openings['0'] / openings['1']:.2f} × the 3-year opening "
                 f"({openings['1'] * 1000:.1f} ms)", "≤ 1.3 ×",
                 verdict(openings["0"] <= 1.3 * openings["1"])))
if len(grid_seconds) == 2:
    total = sum(grid_seconds) * 1000
    rows.append(("both rate grids", f"{total:.3g} ms", "", "the two fills added", "< 100 ms",
                 verdict(total < 100)))

header = ("What", "Time", "Peak RSS", "Note", "Target", "Stands")
widths = [max(len(r[i]) for r in rows + [header]) for i in range(len(header))]
line = lambda r: "| " + " | ".join(c.ljust(w) for c, w in zip(r, widths)) + " |"
print(line(header))
print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
for r in rows:
    print(line(r))
shutil.rmtree(data)
