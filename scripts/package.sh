#!/usr/bin/env bash
# Builds the Debian package into build-package/ (Release, warnings not fatal)
# and checks it: unpacked into a temporary root, the packaged program must
# run as an installed copy. Extra arguments go to cmake's configure step.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
build_dir=${KESTRUM_PACKAGE_BUILD_DIR:-build-package}
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DKESTRUM_BUILD_TESTS=OFF "$@" >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)"
rm -f "$build_dir"/kestrum_*.deb
(cd "$build_dir" && cpack -G DEB >/dev/null)
deb=$(ls "$build_dir"/kestrum_*.deb)
tests/packaging/check_deb.sh "$deb"
echo "$deb"
