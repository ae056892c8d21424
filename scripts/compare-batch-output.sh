#!/usr/bin/env bash
# Runs two builds of the program on the same lots and compares what they produce:
#
#   scripts/compare-batch-output.sh OLD_PROGRAM NEW_PROGRAM [WORK_FOLDER]
#
# Every --report must be byte-identical (the numbers, texts and settings of the
# chart); any difference fails the run. The exported pictures are compared pixel
# by pixel and the count of differing pixels is printed, so a change that should
# not touch the picture can be proved not to, and one that does can be looked at
# (the pictures stay in WORK_FOLDER, old-*.png and new-*.png).
set -euo pipefail

if [ $# -lt 2 ]; then
  echo "usage: $0 OLD_PROGRAM NEW_PROGRAM [WORK_FOLDER]" >&2
  exit 2
fi
old=$(realpath "$1")
new=$(realpath "$2")
here=$(cd "$(dirname "$0")/.." && pwd)
work=${3:-$(mktemp -d)}
mkdir -p "$work"

"$here/scripts/make-lot-file.py" "$work/lot-100000.txt"
"$here/scripts/make-lot-file.py" "$work/lot-100000-sigma.csv" --columns 2 --crlf
"$here/scripts/make-lot-file.py" "$work/lot-20.txt" 20

# name | file | options
cases=(
  "thickness|$here/examples/lot-thickness.csv|"
  "leakage|$here/examples/leakage-current.csv|--set PlotOpts.LogY=1"
  "coating|$here/examples/coating-weight.txt|--value-column 2 --set PlotOpts.TestStatistic=1"
  "resistor|$here/examples/resistor-lot.csv|--sigma-column 2 --set PlotOpts.ErrorBars=1 --set PlotOpts.LSQfit=1"
  "project|$here/examples/resistor-lot.qvw|"
  "overlay|$here/examples/lot-thickness.csv|--overlay $here/examples/lot-thickness.csv --set PlotOpts.TestStatistic=1"
  "small-t|$work/lot-20.txt|--set PlotOpts.Tdist=1 --set PlotOpts.LSQfit=1"
  "big|$work/lot-100000.txt|"
  "big-annotated|$work/lot-100000.txt|--set PlotOpts.TestStatistic=1 --set PlotOpts.LimitLines=1 --set PlotOpts.ULimit=26 --set PlotOpts.LSQfit=1"
  "big-log|$work/lot-100000.txt|--set PlotOpts.LogY=1"
  "big-boxes|$work/lot-100000.txt|--set AxesOpts.DataSymbol=1"
  "big-triangles|$work/lot-100000.txt|--set AxesOpts.DataSymbol=2"
  "big-sigma|$work/lot-100000-sigma.csv|--sigma-column 2 --set PlotOpts.ErrorBars=1"
  "big-screen|$work/lot-100000.txt|--screen 1920x1080"
)

failed=0
for entry in "${cases[@]}"; do
  IFS='|' read -r name file options <<<"$entry"
  # shellcheck disable=SC2086 # the options are words
  for side in old new; do
    program=$old
    [ "$side" = new ] && program=$new
    set +e
    "$program" --report --export "$work/$side-$name.png" $options "$file" \
      >"$work/$side-$name.json" 2>"$work/$side-$name.err"
    echo $? >"$work/$side-$name.status"
    set -e
  done
  verdict="report same"
  if ! cmp -s "$work/old-$name.json" "$work/new-$name.json" ||
    ! cmp -s "$work/old-$name.status" "$work/new-$name.status" ||
    ! cmp -s "$work/old-$name.err" "$work/new-$name.err"; then
    verdict="REPORT DIFFERS"
    failed=1
  fi
  pixels="no picture"
  if [ -f "$work/old-$name.png" ] && [ -f "$work/new-$name.png" ]; then
    pixels="$(compare -metric AE "$work/old-$name.png" "$work/new-$name.png" null: 2>&1 || true) pixels differ"
  fi
  printf '%-14s %-15s %s\n' "$name" "$verdict" "$pixels"
done

echo "pictures and reports in $work"
exit $failed
