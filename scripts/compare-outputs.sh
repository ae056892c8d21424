#!/usr/bin/env bash
# Runs a fixed set of batch commands with two builds of quantiview and says
# whether every --report is byte-identical and every --export has the same
# pixels. Use it around a change that must not alter what the program shows:
#   scripts/compare-outputs.sh OLD_BINARY NEW_BINARY
set -euo pipefail
old=$(realpath "$1") new=$(realpath "$2")
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ex=$root/examples

# A 100000-point Gaussian lot, the same on every run.
awk 'BEGIN { srand(7); for (i = 0; i < 100000; i++) {
  u = rand(); v = rand(); if (u < 1e-12) u = 1e-12;
  printf "%.6f\n", 10 + 0.5 * sqrt(-2 * log(u)) * cos(6.283185307179586 * v) } }' > "$work/big.txt"

cases=(
  "lot-thickness|$ex/lot-thickness.csv"
  "resistor-csv|--value-column 1 --sigma-column 2 $ex/resistor-lot.csv"
  "resistor-qvw|$ex/resistor-lot.qvw"
  "coating|--value-column 2 --set PlotOpts.TestStatistic=1 --set PlotOpts.LimitLines=1 --set PlotOpts.ULimit=300 --set PlotOpts.NinetyLine=1 --set PlotOpts.LSQfit=1 --set PlotOpts.ConfInterval=1 $ex/coating-weight.txt"
  "leakage-log|--set PlotOpts.LogY=1 --set PlotOpts.TestStatistic=1 $ex/leakage-current.csv"
  "tdist|--set PlotOpts.Tdist=1 --set PlotOpts.CR=2 --set PlotOpts.TestStatistic=1 $ex/thickness-0417.csv"
  "overlay|--overlay $ex/thickness-0419.csv --set PlotOpts.LSQfit=1 $ex/thickness-0418.csv"
  "small-screen|--screen 800x600 --set frmPageSetup.optPlotSize=0 $ex/lot-thickness.csv"
  "big|--set PlotOpts.TestStatistic=1 --set PlotOpts.LimitLines=1 --set PlotOpts.ULimit=12 --set PlotOpts.LSQfit=1 --set PlotOpts.ConfInterval=1 $work/big.txt"
)

# Whether two PNG files hold the same picture: the same header and, inflated,
# the same rows (the compressed bytes may differ).
same_png() {
  /usr/bin/python3 - "$1" "$2" <<'PYTHON'
import struct, sys, zlib
def picture(path):
    data = open(path, "rb").read()
    at, header, idat = 8, None, b""
    while at < len(data):
        size, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + size]
        if kind == b"IHDR":
            header = body
        elif kind == b"IDAT":
            idat += body
        elif kind != b"IEND":
            header += kind + body
        at += 12 + size
    return header, zlib.decompress(idat)
sys.exit(0 if picture(sys.argv[1]) == picture(sys.argv[2]) else 1)
PYTHON
}

status=0
run() { # binary tag args...
  local bin=$1 tag=$2; shift 2
  (cd "$work" && "$bin" --report --export "$work/$tag.png" "$@" > "$work/$tag.json" 2>"$work/$tag.err"; echo $? > "$work/$tag.rc") || true
}
for c in "${cases[@]}"; do
  name=${c%%|*}; args=${c#*|}
  # shellcheck disable=SC2086
  run "$old" "$name.old" $args
  # shellcheck disable=SC2086
  run "$new" "$name.new" $args
  for ext in json rc err; do
    if ! cmp -s "$work/$name.old.$ext" "$work/$name.new.$ext"; then
      echo "DIFFERENT: $name ($ext)"; status=1
    fi
  done
  if [ -f "$work/$name.old.png" ] || [ -f "$work/$name.new.png" ]; then
    if ! same_png "$work/$name.old.png" "$work/$name.new.png" 2>/dev/null; then
      echo "DIFFERENT: $name (png pixels)"; status=1
    fi
  fi
done
[ $status -eq 0 ] && echo "same: ${#cases[@]} cases, report bytes and pictures"
exit $status
