#!/usr/bin/env bash
# Installs what is missing, builds a Release build into build/ and starts Kestrum.
# Arguments are passed to the program.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DKESTRUM_BUILD_TESTS=OFF >/dev/null
cmake --build build --parallel "$(nproc)"
exec build/kestrum "$@"
