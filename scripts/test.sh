#!/usr/bin/env bash
# Installs what is missing, builds a Debug build (warnings are errors) into
# build-test/ and runs the whole suite headless. Extra arguments go to cmake's
# configure step, e.g. -DKESTRUM_SANITIZE=address,undefined.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
build_dir=${KESTRUM_TEST_BUILD_DIR:-build-test}
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Debug -DKESTRUM_BUILD_TESTS=ON -DKESTRUM_WERROR=ON "$@" >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build_dir" --output-on-failure --parallel "$(nproc)"
