#!/usr/bin/env bash
# Runs two builds of the program over many shapes of --report (overlays, fits,
# limits and verdicts, failed and stopped lots, skipped lines, texts that need
# escaping, file names that are not UTF-8, several FILEs as JSON Lines) and
# says whether every report, message and exit status is byte-identical:
#   scripts/compare-reports.sh OLD_BINARY NEW_BINARY
set -euo pipefail
old=$(realpath "$1") new=$(realpath "$2")
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ex=$root/examples
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$work}

"$root/scripts/make-lot-file.py" "$work/big.txt"
"$root/scripts/make-lot-file.py" "$work/small.txt" 20
printf 'Value\n10.1\nfoo\n10.4\n\n9.8\n"quoted" text\t\x01\n10.0\n11.2e0\n-0\n1e-7\n123456789012345678\n' >"$work/skips.txt"
printf '5\n5\n5\n' >"$work/equal.txt"
printf '1.5\n' >"$work/one.txt"
printf '0.001\n0.0001\n1e-5\n2.5e-7\n' >"$work/tiny.txt"
printf 'not a number\n' >"$work/words.txt"
cp "$ex/lot-thickness.csv" "$work/$(printf 'caf\xe9 "lot".csv')"
mkdir "$work/folder"

limits="--set PlotOpts.TestStatistic=1 --set PlotOpts.LimitLines=1"
cases=(
  "plain|$ex/lot-thickness.csv"
  "fit|--set PlotOpts.LSQfit=1 --set PlotOpts.ConfInterval=1 $ex/thickness-0417.csv"
  "limits|$limits --set PlotOpts.ULimit=300 --value-column 2 $ex/coating-weight.txt"
  "limits-log|$limits --set PlotOpts.LogY=1 --set PlotOpts.ULimit=50 $ex/leakage-current.csv"
  "limits-risks|$limits --set PlotOpts.ULimit=12 --set PlotOpts.CR=2 --set PlotOpts.Tdist=1 $work/small.txt"
  "overlay|--overlay $ex/thickness-0419.csv --set PlotOpts.LSQfit=1 $limits --set PlotOpts.ULimit=2 $ex/thickness-0418.csv"
  "sigmas|--value-column 1 --sigma-column 2 --set PlotOpts.ErrorBars=1 $ex/resistor-lot.csv"
  "project|$ex/resistor-lot.qvw"
  "skipped|$work/skips.txt"
  "equal|$limits --set PlotOpts.ULimit=6 $work/equal.txt"
  "one-point|$work/one.txt"
  "tiny|--set PlotOpts.LogY=1 $work/tiny.txt"
  "words|$work/words.txt"
  "missing|$work/no-such-file.txt"
  "folder|$work/folder"
  "not-utf8|$work/caf*"
  "several|$ex/lot-thickness.csv $work/no-such-file.txt $work/skips.txt $ex/thickness-0417.csv $work/equal.txt"
  "several-limits|$limits --set PlotOpts.ULimit=2 --fail-on-reject $ex/thickness-0417.csv $ex/thickness-0418.csv $work/words.txt"
  "big|$limits --set PlotOpts.ULimit=12 --set PlotOpts.LSQfit=1 --set PlotOpts.ConfInterval=1 --overlay $work/big.txt $work/big.txt"
)

status=0
for c in "${cases[@]}"; do
  name=${c%%|*}; args=${c#*|}
  for side in old new; do
    bin=$old; [ $side = new ] && bin=$new
    # shellcheck disable=SC2086 # the options are words
    (cd "$work" && "$bin" --report $args >"$work/$name.$side.json" 2>"$work/$name.$side.err"
     echo $? >"$work/$name.$side.rc") || true
  done
  for ext in json err rc; do
    if ! cmp -s "$work/$name.old.$ext" "$work/$name.new.$ext"; then
      echo "DIFFERENT: $name ($ext)"; status=1
    fi
  done
done
[ $status -eq 0 ] && echo "same: ${#cases[@]} report shapes, bytes, messages and exit statuses"
exit $status
