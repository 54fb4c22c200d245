#!/usr/bin/env bash
# command-docs.sh MODE KESTRUM [ARGS]
# The manual page and the bash completion are both read off the built
# program's own --help, so neither can drift from it:
#   help          --help/--version as help2man should see them (KESTRUM in the
#                 environment; the arguments are help2man's)
#   man           INCLUDE RELEASE_DATE OUT: the page kestrum.1 through help2man,
#                 with the sections help does not carry from INCLUDE
#   man-commands  OUT: the COMMANDS section, one subsection per command
#   completion    TEMPLATE OUT: the completion script with its word lists
set -euo pipefail
# The manual and the completion are English, and are read off English help
# whatever the builder's locale.
export LC_ALL=C.UTF-8

mode=$1
if [[ $mode == help ]]; then
    # Continuation lines of the description join their paragraph.
    "$KESTRUM" "$2" | awk '
        /^Options:/ { table = 1 }
        !table && /^    +[^ ]/ && held != "" { sub(/^ +/, " "); held = held $0; next }
        { if (started) print held; held = $0; started = 1 }
        END { if (started) print held }'
    exit
fi
kestrum=$2

# The commands of the top-level help, one per line.
commands() {
    "$kestrum" --help | awk '/^Commands:/ { on = 1; next } on && /^$/ { exit } on { print $1 }'
}

# The entries of one block of a help text ("Options:" or "Arguments:"):
# NAME<TAB>DESCRIPTION, continuation lines joined.
entries() {
    awk -v block="$1" '
        $0 == block ":" { on = 1; next }
        on && /^$/ { exit }
        on && /^   / { sub(/^ +/, ""); text = text " " $0; next }
        on {
            if (name != "") print name "\t" text
            sub(/^  /, ""); split($0, parts, /  +/)
            name = parts[1]; text = substr($0, length(name) + 1); sub(/^ +/, "", text)
        }
        END { if (name != "") print name "\t" text }'
}

# The options every command shares, from the top-level help.
common=$("$kestrum" --help | entries Options | cut -f1)

# Roff for plain text: backslashes, dashes and leading dots or quotes.
roff() { sed -e 's/\\/\\e/g' -e 's/-/\\-/g' -e "s/^[.']/\\\\\\&&/"; }

man_commands() {
    echo "[COMMANDS]"
    echo "The options above apply to every command and may stand before or after it."
    local command help usage name text
    for command in $(commands); do
        help=$("$kestrum" "$command" --help)
        usage=$(sed -n 's/^Usage: //p' <<<"$help")
        printf '.SS "%s"\n' "$(roff <<<"$usage")"
        sed -n '2,/^$/p' <<<"$help" | sed '/^$/d' | roff
        while IFS=$'\t' read -r name text; do
            grep -qxF -- "$name" <<<"$common" && continue
            echo ".TP"
            # Option names bold, value and argument names italic.
            roff <<<"$name" | sed -E -e 's/^(\\-[^ <]+)/\\fB\1\\fR/' -e 's/^([A-Za-z|]+)$/\\fI\1\\fR/' \
                -e 's/, (\\-[^ <]+)/, \\fB\1\\fR/' -e 's/<([^>]+)>/\\fI<\1>\\fR/g'
            roff <<<"$text"
        done < <(entries Options <<<"$help"; entries Arguments <<<"$help")
    done
}

# One bash assignment per command: its options, the options that take a
# value (with the value's name) and its positional arguments.
completion() {
    local template=$1 command help usage
    local data="" currencies empty
    empty=$(mktemp -d)
    currencies=$("$kestrum" list --data-dir "$empty" 2>/dev/null | awk 'NR > 1 { print $2 }' |
        tr '\n' ' ')
    rm -rf "$empty"
    for command in "" $(commands); do
        if [[ -z $command ]]; then
            help=$("$kestrum" --help)
        else
            help=$("$kestrum" "$command" --help)
        fi
        usage=$(sed -n 's/^Usage: kestrum *//p' <<<"$help" | sed "s/^$command *//")
        usage=${usage//\[options\]/}
        data+="_kestrum_options[${command:-.}]=\"$(entries Options <<<"$help" |
            cut -f1 | tr -d ',' | sed 's/ <[^>]*>//' | tr '\n' ' ')\""$'\n'
        data+="_kestrum_values[${command:-.}]=\"$(entries Options <<<"$help" | cut -f1 |
            sed -nE 's/.*(--[a-z-]+) <([^>]+)>.*/\1=\2/p' | tr '\n' ' ')\""$'\n'
        data+="_kestrum_positionals[${command:-.}]=\"$(tr ' ' '\n' <<<"$usage" |
            { grep -E '^\[?[A-Za-z|]' || true; } | tr -d '[]' | tr '\n' ' ')\""$'\n'
    done
    awk -v commands="$(commands | tr '\n' ' ')" -v currencies="$currencies" -v data="$data" '
        /^@DATA@$/ { printf "%s", data; next }
        { gsub(/@COMMANDS@/, commands); gsub(/@CURRENCIES@/, currencies); print }' "$template"
}

man_page() {
    local include=$1 date=$2 out=$3
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    man_commands >"$work/commands.h2m"
    printf '#!/bin/sh\nexec "%s" help "$@"\n' "$(realpath "$0")" >"$work/kestrum"
    chmod +x "$work/kestrum"
    # The release date, not the build's, so the page builds reproducibly.
    KESTRUM=$(realpath "$kestrum") SOURCE_DATE_EPOCH=$(date -u -d "$date" +%s) \
        help2man --no-info --section=1 --manual="User Commands" \
        --include="$work/commands.h2m" --include="$include" --output="$out" "$work/kestrum"
}

case $mode in
man) man_page "$3" "$4" "$5" ;;
man-commands) man_commands >"$3" ;;
completion) completion "$3" >"$4" ;;
*) echo "unknown mode $mode" >&2; exit 2 ;;
esac
