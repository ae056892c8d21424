#!/bin/sh
# A report that cannot be written is a failure: to a full disk, to a closed
# standard output and past a file-size limit the program exits with 1 and says
# why on stderr, instead of leaving a cut JSON behind an exit status of 0.
# Usage: unwritten_report.sh PATH-TO-QUANTIVIEW
. "$(dirname "$0")/one_lot.sh"

# check WHAT: the last run's exit status ($got) is 1 and its stderr says why.
check() {
    if [ "$got" -eq 1 ] && grep -q "could not be written to standard output" "$dir/err"; then
        echo "ok: $1"
    else
        echo "FAIL: $1: exit $got"
        cat "$dir/err"
        failed=1
    fi
}

"$q" --report "$dir/lot.csv" > /dev/full 2> "$dir/err"
got=$?
check "a full disk"

"$q" --report "$dir/lot.csv" >&- 2> "$dir/err"
got=$?
check "a closed standard output"

# 2 blocks of 512 bytes: the report is several times longer.
(ulimit -f 2 && exec "$q" --report "$dir/lot.csv" > "$dir/report.json" 2> "$dir/err")
got=$?
check "a file-size limit"

"$q" --report "$dir/lot.csv" > "$dir/report.json" 2> "$dir/err"
got=$?
if [ "$got" -eq 0 ] && [ ! -s "$dir/err" ]; then
    echo "ok: a report that is written exits with 0"
else
    echo "FAIL: a written report: exit $got"
    failed=1
fi
exit $failed
