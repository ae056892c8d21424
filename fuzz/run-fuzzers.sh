#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build over its seed corpus (fuzz/corpus/<name>),
# the inputs that once broke it (tests/data/fuzz/<name>) and a work corpus kept
# in the build folder: FUZZ_SECONDS seconds each (default 60), or FUZZ_RUNS
# executions each when that is set; FUZZ_SEED fixes the random seed of the
# mutations. Fails when any target reports a crash, a
# broken rule, a leak, a timeout or a sanitizer finding; the input that did it
# is left in <build>/artifacts/ and the log in <build>/logs/.
set -uo pipefail
build=${1:-build/fuzz}
seconds=${FUZZ_SECONDS:-60}
runs=${FUZZ_RUNS:-}
seed=${FUZZ_SEED:-}
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$build/artifacts" "$build/corpus" "$build/logs"

shopt -s nullglob
targets=("$build"/fuzz/fuzz_*)
if [ ${#targets[@]} -eq 0 ]; then
  echo "run-fuzzers: no fuzz targets in $build/fuzz" >&2
  exit 1
fi

stat() { sed -n "s/^stat::$1: *//p" "$2" | tail -1; }

failed=()
printf '%-16s %12s %10s %8s  %s\n' target executions exec/s "new" result
for bin in "${targets[@]}"; do
  name=${bin##*/fuzz_}
  work="$build/corpus/$name"
  log="$build/logs/$name.log"
  mkdir -p "$work"
  if [ -n "$runs" ]; then
    limit=(-runs="$runs")
  else
    limit=(-max_total_time="$seconds")
  fi
  [ -n "$seed" ] && limit+=(-seed="$seed")
  # The inputs that once broke a rule are seeds too.
  found=()
  [ -d "$here/../tests/data/fuzz/$name" ] && found=("$here/../tests/data/fuzz/$name")
  "$bin" "${limit[@]}" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -dict="$here/quantiview.dict" -artifact_prefix="$build/artifacts/$name-" \
    "$work" "$here/corpus/$name" "${found[@]}" >"$log" 2>&1
  status=$?
  result=clean
  if [ $status -ne 0 ]; then
    result="FAILED (exit $status, see $log)"
    failed+=("$name")
  fi
  printf '%-16s %12s %10s %8s  %s\n' "$name" "$(stat number_of_executed_units "$log")" \
    "$(stat average_exec_per_sec "$log")" "$(stat new_units_added "$log")" "$result"
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "run-fuzzers: findings in ${failed[*]}" >&2
  for name in "${failed[@]}"; do
    grep -m3 -E 'ERROR|rule broken|runtime error|SUMMARY' "$build/logs/$name.log" >&2
  done
  exit 1
fi
