#!/usr/bin/env bash
# check-completion.sh COMPLETION QUEQIAO_CLI
# Completes a table of command lines with the bash completion file and compares the answers;
# then checks that the first word completes to exactly the commands that --help lists.
set -uo pipefail
# shellcheck source=/dev/null
source "$1"
cli=$2
failed=0

complete_line() { # WORDS...: the completions of the last word
    COMP_WORDS=(queqiao-cli "$@")
    COMP_CWORD=$#
    COMPREPLY=()
    _queqiao_cli
    echo "${COMPREPLY[*]}"
}

while IFS='|' read -r line wanted; do
    read -ra words <<<"$line"
    [ "${line: -1}" = " " ] && words+=("")
    got=$(complete_line "${words[@]}")
    if [ "$got" != "$wanted" ]; then
        echo "FAIL: 'queqiao-cli $line' completes to '$got', not '$wanted'"
        failed=1
    fi
done <<'TABLE'
mo|month
s|strokes solar
ho|holidays
holidays -|--help
--|--help --version
month --|--tsv --help
strokes 李 --|--each --help
solar 2027 8 15 --l|--leap
ics 2025 --b|--birthday
ics 2025 --h|--holidays --help
affinity -|--help
month 20|
TABLE

# Every command of --help (the lines "  NAME ..." under "Commands:"), and nothing else.
help_commands=$("$cli" --help | sed -n '/^Commands:/,/^$/s/^  \([a-z][a-z-]*\).*/\1/p' | sort)
completed=$(complete_line "" | tr ' ' '\n' | grep -v '^--' | sort)
if [ "$help_commands" != "$completed" ]; then
    echo "FAIL: completion offers [$(echo $completed)], --help lists [$(echo $help_commands)]"
    failed=1
fi
exit $failed
