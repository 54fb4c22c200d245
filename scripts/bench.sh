#!/usr/bin/env bash
# Builds the benchmarks in Release mode and prints their figures.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DKESTRUM_BUILD_TESTS=OFF -DKESTRUM_BUILD_BENCHMARKS=ON >/dev/null
cmake --build build-bench --parallel "$(nproc)" --target core_bench
build-bench/bench/core_bench "$@"
