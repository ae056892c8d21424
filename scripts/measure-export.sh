#!/usr/bin/env bash
# Times the whole process of exporting a 100000-point lot as a PNG picture,
# side by side with two general tools drawing a normal probability plot of the
# same file as an 800 x 600 PNG (base R's qqnorm, and scipy's probplot with
# matplotlib), each where it is installed:
#
#   scripts/measure-export.sh [PROGRAM] [RUNS]
#
# PROGRAM defaults to build/release/src/quantiview, RUNS to 20. Needs hyperfine.
# The tools are development aids for this comparison only, not dependencies.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "${1:-$here/build/release/src/quantiview}")
runs=${2:-20}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

"$here/scripts/make-lot-file.py" lot.txt
cat >probplot.py <<'EOF'
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
EOF

commands=("$program --export quantiview.png lot.txt")
names=(quantiview)
if command -v Rscript >/dev/null; then
  commands+=("Rscript -e 'x <- scan(\"lot.txt\", quiet=TRUE); png(\"r.png\", 800, 600); qqnorm(x); dev.off()'")
  names+=(R-qqnorm)
fi
if /usr/bin/python3 -c 'import matplotlib, scipy' 2>/dev/null; then
  commands+=("/usr/bin/python3 probplot.py lot.txt py.png")
  names+=(python-probplot)
fi
args=()
for i in "${!commands[@]}"; do
  args+=(--command-name "${names[$i]}" "${commands[$i]}")
done
echo "$(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
hyperfine --warmup 2 --runs "$runs" --export-json "$work/times.json" "${args[@]}"
/usr/bin/python3 - "$work/times.json" <<'PYTHON'
import json, sys
results = json.load(open(sys.argv[1]))["results"]
for r in results:
    print("%-16s median %7.3f s  (min %.3f, max %.3f)" % (r["command"], r["median"], r["min"], r["max"]))
if len(results) > 1:
    faster = min(r["median"] for r in results[1:])
    print("quantiview / the faster peer: %.3f" % (results[0]["median"] / faster))
PYTHON
