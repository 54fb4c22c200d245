#!/usr/bin/env bash
# check_completion.sh COMPLETION
# Sources the bash completion as bash-completion would and asks it to
# complete a few command lines; the last word is the one being completed.
set -uo pipefail
completion=$1
source /usr/share/bash-completion/bash_completion || exit 77
source "$completion"
failed=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/rates" && touch "$work/rates.html"

complete_line() {
    COMP_WORDS=("$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMP_LINE="$*"
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    _kestrum kestrum "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ' | sed 's/ $//'
}

# line (the words, "" for an empty last word) | expected completions
while IFS='|' read -r line expected; do
    eval "words=($line)"
    got=$(cd "$work" && complete_line "${words[@]}")
    if [[ $got != "$expected" ]]; then
        echo "FAIL: \"$line\" completes to \"$got\", expected \"$expected\"" >&2
        failed=1
    fi
done <<'CASES'
kestrum co|convert
kestrum ""|chart convert history import list rates source update
kestrum --data-dir rates so|source
kestrum convert 100 us|USD
kestrum convert 100 USD EUR ""|
kestrum convert --no-|--no-fee --no-round
kestrum rates --against u|USD
kestrum source ""|boc ecb
kestrum import rat|rates rates.html
kestrum --data-dir ra|rates
kestrum nosuch ""|
kestrum history fetch ""|boc ecb nbp
kestrum chart USD CAD --source ""|boc ecb
kestrum chart USD CAD --range 1|10Y 1M 1Y
kestrum history USD --source e|ecb
CASES
exit $failed
