#!/usr/bin/env bash
# check_deb.sh PACKAGE.deb
# Unpacks the package into a temporary root and runs the packaged program
# there as an installed copy: its files must go to the user's data directory.
set -euo pipefail
deb=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/root
home=$work/home
mkdir -p "$root" "$home"
dpkg -x "$deb" "$root"
fail() { echo "FAIL: $*" >&2; exit 1; }

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6core6 libqt6widgets6 libcurl libsqlite3-0; do
    [[ $depends == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done

kestrum=$root/usr/bin/kestrum
version=$(env -i HOME="$home" "$kestrum" --version)
[[ $version == "Kestrum "* && $version == *"License MIT"* ]] ||
    fail "--version printed \"$version\""

result=$(env -i HOME="$home" "$kestrum" convert 100 USD CAD) || fail "convert failed"
[[ $result == "92.5728" ]] || fail "convert printed \"$result\""
cmp -s "$home/.local/share/kestrum/rt.dt" "$root/usr/share/kestrum/rt.dt" ||
    fail "the starter rates were not copied into the user's data directory"
[[ $(ls "$root/usr/bin") == kestrum ]] || fail "files were written beside the executable"

# The window module is found in the install layout (no platform plugin, so
# it stops right after loading).
window=$(env -i HOME="$home" QT_QPA_PLATFORM=kestrum-none LD_DEBUG=libs "$kestrum" 2>&1 || true)
[[ $window != *"cannot open its window"* && $window == *"kestrum-window.so"* ]] ||
    fail "the installed window module was not loaded"
# The graphs module finds the window module it links, beside itself.
graphs=$(find "$root/usr/lib" -name kestrum-graphs.so)
[[ -n $graphs ]] || fail "no graphs module installed"
# Captured first: grep -q would close the pipe early and, under pipefail,
# ldd's SIGPIPE would fail the check even when the line is there.
linked=$(ldd "$graphs")
[[ $linked == *"kestrum-window.so => $(dirname "$graphs")/kestrum-window.so "* ]] ||
    fail "the installed graphs module does not find the window module: $linked"

for size in 16 24 32 48 64 128 256; do
    [[ -f $root/usr/share/icons/hicolor/${size}x${size}/apps/io.github.kestrum.Kestrum.png ]] ||
        fail "no ${size}x${size} icon"
done
"$here/validate_desktop_files.sh" "$root/usr/share/applications/io.github.kestrum.Kestrum.desktop" \
    "$root/usr/share/metainfo/io.github.kestrum.Kestrum.metainfo.xml" || [[ $? -eq 77 ]]
# The manual page, the completion and the licence, as installed.
man1=$root/usr/share/man/man1
[[ $(ls "$man1") == kestrum.1.gz ]] || fail "no compressed manual page: $(ls "$man1")"
gunzip -c "$man1/kestrum.1.gz" >"$work/kestrum.1"
HOME="$home" "$here/check_manpage.sh" "$work/kestrum.1" "$kestrum"
"$here/check_completion.sh" "$root/usr/share/bash-completion/completions/kestrum" ||
    fail "the installed completion does not complete"
grep -q "^License: MIT" "$root/usr/share/doc/kestrum/copyright" || fail "no MIT copyright file"

# Nothing installed names a placeholder domain (binaries included).
placeholders='[a-z0-9-]+\.(example|invalid|test|localhost)\b|example\.(com|org|net)'
if found=$(grep -rEoa "$placeholders" "$root" | sort -u) && [[ -n $found ]]; then
    fail "placeholder domains installed: $found"
fi
echo "package $(basename "$deb") checked"
