#!/usr/bin/env bash
# check_command_docs.sh
# The manual page and completion generators read help texts of shapes the
# program may grow into (a command with a keyword or a currency, an option
# with a list of values); a stand-in program prints them.
set -uo pipefail
here=$(dirname "$(realpath "$0")")
source=$(dirname "$(dirname "$here")")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cat >"$work/kestrum" <<'PROGRAM'
#!/bin/sh
case "$1 $2" in
"--help "*) printf '%s\n' "Usage: kestrum [options] [command]" "Converts." "" "Commands:" \
    "  history  Show or fetch the rate history." "" "Options:" \
    "  -h, --help        Show this help." "  --data-dir <dir>  Keep the files in <dir>." ;;
"--version "*) echo "Kestrum 9.9" ;;
"history --help") printf '%s\n' "Usage: kestrum history [options] CODE|fetch" "Shows." "" \
    "Options:" "  -h, --help        Show this help." "  --data-dir <dir>  Keep the files in <dir>." \
    "  --source <boc|ecb>  Only one source's days, a description long enough" \
    "                      to wrap." "" "Arguments:" "  CODE|fetch  A currency, or fetch." ;;
"list "*) printf '%s\n' " #  Code  English" " 0  CAD   Canadian Dollar" " 1  USD   U.S. Dollar" ;;
esac
PROGRAM
chmod +x "$work/kestrum"
"$source/cmake/command-docs.sh" completion "$work/kestrum" \
    "$source/data/kestrum.bash-completion.in" "$work/kestrum.bash" || fail "no completion"
"$source/cmake/command-docs.sh" man "$work/kestrum" "$source/data/kestrum.h2m" 2026-01-01 \
    "$work/kestrum.1" || fail "no manual page"

text=$(MANWIDTH=200 man -l "$work/kestrum.1" 2>/dev/null | col -b)
for part in "kestrum history [options] CODE|fetch" "--source <boc|ecb>" "long enough to wrap."; do
    grep -qF -- "$part" <<<"$text" || fail "the manual page lacks \"$part\""
done

source /usr/share/bash-completion/bash_completion || exit 77
source "$work/kestrum.bash"
complete_line() {
    COMP_WORDS=("$@") COMP_CWORD=$(($# - 1)) COMP_LINE="$*" COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    _kestrum kestrum "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    echo "${COMPREPLY[*]}"
}
[[ $(complete_line kestrum history f) == fetch ]] || fail "history f: $(complete_line kestrum history f)"
[[ $(complete_line kestrum history u) == USD ]] || fail "history u: $(complete_line kestrum history u)"
[[ $(complete_line kestrum history --source "") == "boc ecb" ]] ||
    fail "--source: $(complete_line kestrum history --source "")"
echo "generators checked"
