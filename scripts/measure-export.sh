#!/usr/bin/env bash
# Times whole processes of Quantiview on a 100000-point lot beside two general
# tools drawing a normal probability plot of the same file (base R's qqnorm,
# and scipy's probplot with matplotlib, each where it is installed), and prints
# each job's median and the ratios the program is held to:
#
#   scripts/measure-export.sh [PROGRAM] [RUNS]
#
# PROGRAM defaults to build/release/src/quantiview, RUNS to 10. Needs hyperfine;
# the peers are development aids for this comparison only, not dependencies
# (apt-get install r-base-core python3-matplotlib python3-scipy).
# Jobs: PNG, PDF and SVG pictures; --report; the same pictures with everything
# on (Ts, limit lines, fit with confidence dots, a 100000-point overlay); a
# 5-point export and --version (the floor); 1000 lots of 50 points in one call
# on every processor and on one (taskset -c 0).
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "${1:-$here/build/release/src/quantiview}")
runs=${2:-10}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export XDG_RUNTIME_DIR=$work

"$here/scripts/make-lot-file.py" lot.txt
"$here/scripts/make-lot-file.py" five.txt 5
mkdir lots
for i in $(seq -w 1 1000); do
  awk -v s="$i" 'BEGIN { srand(s); for (j = 0; j < 50; j++) printf "%.4f\n", 10 + rand() + rand() + rand() }' >"lots/lot$i.txt"
done
cat >probplot.py <<'PYTHON'
import sys
import matplotlib
matplotlib.use("Agg")
import matplotlib.pyplot as plt
import numpy as np
from scipy import stats
x = np.loadtxt(sys.argv[1])
fig = plt.figure(figsize=(8, 6), dpi=100)
stats.probplot(x, dist="norm", plot=fig.add_subplot(111))
fig.savefig(sys.argv[2])
PYTHON

all="--set PlotOpts.TestStatistic=1 --set PlotOpts.LimitLines=1 --set PlotOpts.ULimit=12 --set PlotOpts.LSQfit=1 --set PlotOpts.ConfInterval=1 --overlay lot.txt"
names=() commands=()
add() { names+=("$1"); commands+=("$2"); }
for f in png pdf svg; do
  add "qv-$f" "$program --export q.$f lot.txt"
  add "qv-all-$f" "$program --export qa.$f $all lot.txt"
done
add qv-report "sh -c 'exec $program --report lot.txt >/dev/null'"
add qv-png-5 "$program --export q5.png five.txt"
add qv-version "$program --version"
add qv-lots "sh -c 'exec $program --report lots/*.txt >/dev/null'"
add qv-lots-one-core "sh -c 'exec taskset -c 0 $program --report lots/*.txt >/dev/null'"
if command -v Rscript >/dev/null; then
  for f in png pdf; do
    add "R-$f" "Rscript -e 'x <- scan(\"lot.txt\", quiet=TRUE); $f(\"r.$f\"$([ $f = png ] && echo ', 800, 600')); qqnorm(x); invisible(dev.off())'"
  done
fi
if /usr/bin/python3 -c 'import matplotlib, scipy' 2>/dev/null; then
  for f in png pdf svg; do
    add "mpl-$f" "/usr/bin/python3 probplot.py lot.txt py.$f"
  done
fi

args=()
for i in "${!commands[@]}"; do
  args+=(--command-name "${names[$i]}" "${commands[$i]}")
done
echo "$(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), load $(cut -d' ' -f1-3 /proc/loadavg)"
hyperfine -N --warmup 1 --runs "$runs" --export-json "$work/times.json" "${args[@]}" >/dev/null
for f in q.pdf r.pdf py.pdf q.svg py.svg; do
  [ -f "$f" ] && printf '%-8s %9d bytes\n' "$f" "$(stat -c %s "$f")"
done
/usr/bin/python3 - "$work/times.json" <<'PYTHON'
import json, sys
t = {r["command"]: r["median"] for r in json.load(open(sys.argv[1]))["results"]}
for name, median in t.items():
    print("%-18s median %7.3f s" % (name, median))
def ratio(what, a, b):
    if a in t and all(x in t for x in b):
        print("%-40s %.3f" % (what, t[a] / min(t[x] for x in b)))
ratio("PNG / the faster peer", "qv-png", ["R-png", "mpl-png"])
ratio("PDF / the faster peer", "qv-pdf", ["R-pdf", "mpl-pdf"])
ratio("SVG / matplotlib", "qv-svg", ["mpl-svg"])
ratio("report / PNG", "qv-report", ["qv-png"])
ratio("1000 lots, every core / one core", "qv-lots", ["qv-lots-one-core"])
for f in ("png", "pdf", "svg"):
    ratio("everything on / plain, " + f.upper(), "qv-all-" + f, ["qv-" + f])
PYTHON
