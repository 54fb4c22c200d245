#!/usr/bin/env bash
# Installs the Debian packages Kestrum builds and tests with, only those missing.
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-charts-dev libqt6opengl6-dev   # Charts needs the OpenGL CMake files, not a dependency in Debian 12
    libcurl4-openssl-dev
    qt6-l10n-tools                 # lrelease builds the French captions, lupdate checks them
    qt6-translations-l10n          # Qt's own French: standard buttons, edit menus
    libsqlite3-dev                 # the rate history
    libgtest-dev
    libcpp-httplib-dev
    libbenchmark-dev
    desktop-file-utils appstream   # validators of the desktop entry and metainfo
    dpkg-dev file                  # cpack's runtime dependencies of the .deb
    help2man man-db bash-completion lintian  # manual page, completion and their checks
    clang-14 libclang-rt-14-dev
    tzdata                         # the publishers' time zones in the tests
    ledger hledger beancount       # the tests read exported prices back with them
)

missing=()
for p in "${packages[@]}"; do
    # No pipe into grep -q: under pipefail its early exit can fail the writer.
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    if [[ $status != "install ok installed" ]]; then
        missing+=("$p")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
