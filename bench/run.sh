#!/usr/bin/env bash
# Builds Release into build-bench/ and prints one table: whole processes
# (medians of KESTRUM_BENCH_RUNS runs, 30 by default, beside the qalc
# reference measured in the same run) and the in-process benchmarks, each
# beside its target and whether this run meets it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
# qalc is the calculator reference; the sqlite3 shell the floor of reading a series.
if ! command -v qalc >/dev/null || ! command -v sqlite3 >/dev/null; then
    sudo_cmd=()
    [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends qalc sqlite3
fi
build=build-bench
cmake -S . -B $build -DCMAKE_BUILD_TYPE=Release -DKESTRUM_BUILD_TESTS=OFF \
    -DKESTRUM_BUILD_BENCHMARKS=ON >/dev/null
cmake --build $build --parallel "$(nproc)" --target kestrum kestrum_starter_rates core_bench \
    download_bench grid_bench graphs_bench bare_core floor_window first_download >/dev/null
# The Graphs window's history: 6,700 ECB days in which the Canadian dollar
# follows the U.S. dollar, as the README's picture shows it.
python3 bench/make_ecb_history.py 6700 2026-12-04 >$build/graphs-history.xml
for bench in core_bench download_bench grid_bench graphs_bench; do
    KESTRUM_GRAPHS_HISTORY=$build/graphs-history.xml QT_QPA_PLATFORM=offscreen $build/bench/$bench --benchmark_repetitions=5 \
        --benchmark_report_aggregates_only=true --benchmark_out=$build/$bench.json --benchmark_out_format=json >/dev/null
done
echo "Kestrum $(git describe --always --dirty 2>/dev/null), $(date -u +%F), $(nproc) cores, $(lscpu | sed -n 's/^Model name: *//p'), load average $(cut -d' ' -f1-3 /proc/loadavg) before the run"
python3 bench/table.py $build "${KESTRUM_BENCH_RUNS:-30}" $build/core_bench.json $build/download_bench.json \
    $build/grid_bench.json $build/graphs_bench.json
