#!/usr/bin/env bash
# Builds the libFuzzer targets with clang-14 (address and undefined-behaviour
# sanitizers) into build-fuzz/ and runs each for SECONDS (default 15), one
# after the other. New inputs go to build-fuzz/corpus/<name>/; the committed
# seeds in fuzz/corpus/<name>/ are only read. Prints each target's executions.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-15}

scripts/deps.sh
build_dir=${KESTRUM_FUZZ_BUILD_DIR:-build-fuzz}
CXX=clang++-14 cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKESTRUM_BUILD_TESTS=OFF -DKESTRUM_BUILD_FUZZERS=ON >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)" --target fuzzers

status=0
for seeds in fuzz/corpus/*/; do
    name=$(basename "$seeds")
    corpus="$build_dir/corpus/$name"
    mkdir -p "$corpus" "$build_dir/findings"
    log="$build_dir/fuzz_$name.log"
    if "$build_dir/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$build_dir/findings/$name-" "$corpus" "$seeds" >"$log" 2>&1; then
        echo "fuzz_$name: $(grep -Eo 'Done [0-9]+ runs in [0-9]+ second' "$log" | tail -1)"
    else
        echo "fuzz_$name: FAILED, see $log and $build_dir/findings/"
        tail -30 "$log"
        status=1
    fi
done
exit $status
