#!/usr/bin/env bash
# Builds the libFuzzer targets with clang-14 (address and undefined-behaviour
# sanitizers) into build-fuzz/ and runs each for SECONDS (default 15), as many
# at once as there are cores. New inputs go to build-fuzz/corpus/<name>/; the
# committed seeds in fuzz/corpus/<name>/ are only read. Prints each target's
# executions.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-15}

scripts/deps.sh
build_dir=${KESTRUM_FUZZ_BUILD_DIR:-build-fuzz}
CXX=clang++-14 cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKESTRUM_BUILD_TESTS=OFF -DKESTRUM_BUILD_FUZZERS=ON >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)" --target fuzzers

# One target a core at a time: the whole run takes SECONDS for every nproc
# targets rather than for each.
fuzz_one() {
    local name=$1 seeds=$2
    local corpus="$build_dir/corpus/$name" log="$build_dir/fuzz_$name.log"
    mkdir -p "$corpus" "$build_dir/findings"
    if "$build_dir/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$build_dir/findings/$name-" "$corpus" "$seeds" >"$log" 2>&1; then
        echo "fuzz_$name: $(grep -Eo 'Done [0-9]+ runs in [0-9]+ second' "$log" | tail -1)"
    else
        echo "fuzz_$name: FAILED, see $log and $build_dir/findings/"
        tail -30 "$log"
        return 1
    fi
}

status=0
running=0
for seeds in fuzz/corpus/*/; do
    if ((running >= $(nproc))); then
        wait -n || status=1
        running=$((running - 1))
    fi
    fuzz_one "$(basename "$seeds")" "$seeds" &
    running=$((running + 1))
done
while ((running > 0)); do
    wait -n || status=1
    running=$((running - 1))
done
exit $status
