#!/bin/sh
# Batch mode as a pipeline meets it, one whole process per call: the exit
# statuses 0, 1, 2 and 3, and one JSON line per lot in the order given.
# Usage: exit_statuses.sh PATH-TO-QUANTIVIEW
set -u
q="$1"
dir=$(mktemp -d) || exit 1
trap 'rm -rf "$dir"' EXIT
printf '5\n4\n3\n2\n1\n' > "$dir/good.csv"
printf '1\n2\n3\n4\n50\n' > "$dir/bad.csv"
failed=0

# expect STATUS WHAT COMMAND...: runs COMMAND, its output in $dir/out.
expect() {
    want=$1 what=$2
    shift 2
    "$@" > "$dir/out" 2> "$dir/err"
    got=$?
    if [ "$got" -eq "$want" ]; then
        echo "ok: $what (exit $got)"
    else
        echo "FAIL: $what: exit $got, expected $want"
        cat "$dir/err"
        failed=1
    fi
}

judge="--report --fail-on-reject --set PlotOpts.LimitLines=1 --set PlotOpts.ULimit=10"
# shellcheck disable=SC2086 # $judge holds several words on purpose
expect 0 "every lot accepted" "$q" $judge "$dir/good.csv" "$dir/good.csv"
# shellcheck disable=SC2086
expect 3 "a lot rejected" "$q" $judge "$dir/good.csv" "$dir/bad.csv"
# shellcheck disable=SC2086
expect 1 "a lot that fails wins over a rejected one" "$q" $judge \
    "$dir/bad.csv" "$dir/missing.csv" "$dir/good.csv"
titles=$(sed -n 's/.*"window_title":"\([^"]*\)".*/\1/p' "$dir/out" | tr '\n' '|')
if [ "$titles" = "Quantiview 3.0 (bad.csv)|Quantiview 3.0|Quantiview 3.0 (good.csv)|" ]; then
    echo "ok: one line per lot in the order given"
else
    echo "FAIL: the lines' titles read $titles"
    failed=1
fi
expect 2 "an unknown option" "$q" --report --no-such-option "$dir/good.csv"
if ! grep -q "Unknown option" "$dir/err"; then
    echo "FAIL: an unknown option is not named"
    failed=1
fi
exit $failed
