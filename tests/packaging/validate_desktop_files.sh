#!/usr/bin/env bash
# validate_desktop_files.sh DESKTOP METAINFO
# Runs Debian's validators on the desktop entry and the AppStream metainfo.
# Exit 77 (skipped) only when a validator is not installed.
set -euo pipefail
desktop=$1 metainfo=$2
for tool in desktop-file-validate appstreamcli; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIPPED: $tool is missing (scripts/deps.sh installs desktop-file-utils and appstream)"
        exit 77
    fi
done
desktop-file-validate "$desktop"
appstreamcli validate --no-net --pedantic "$metainfo"
echo "desktop entry and metainfo are valid"
