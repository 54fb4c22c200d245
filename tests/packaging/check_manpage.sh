#!/usr/bin/env bash
# check_manpage.sh PAGE KESTRUM
# The manual page renders without a warning and names every command and
# every option the program's help lists.
set -euo pipefail
# The page is English; so is the help it is checked against.
export LC_ALL=C.UTF-8
page=$1 kestrum=$2
fail() { echo "FAIL: $*" >&2; exit 1; }

warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
[[ -z $warnings ]] || fail "man warns: $warnings"
text=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$page" 2>/dev/null | col -b)

# Read to the end, so an early exit cannot fail the writer under pipefail.
commands=$("$kestrum" --help | awk '/^Commands:/ { on = 1; next } on && /^$/ { on = 0 } on { print $1 }')
[[ -n $commands ]] || fail "no commands in --help"
for command in $commands; do
    grep -q "kestrum $command \[options\]" <<<"$text" || fail "no section for \"$command\""
    for option in $("$kestrum" "$command" --help | grep -oE -- '--[a-z][a-z-]*' | sort -u); do
        grep -qF -- "$option" <<<"$text" || fail "\"$command $option\" is missing"
    done
done
for section in "EXIT STATUS" FILES ENVIRONMENT EXAMPLES COPYRIGHT; do
    grep -q "^$section" <<<"$text" || fail "no $section section"
done
for file in history.sqlite kestrum.ini rt.dt kestrumconfig XDG_RUNTIME_DIR https_proxy "License MIT"; do
    grep -qF "$file" <<<"$text" || fail "$file is not mentioned"
done
echo "manual page checked"
