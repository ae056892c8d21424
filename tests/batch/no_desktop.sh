#!/bin/sh
# The program where no desktop session runs: without a display the window is
# refused with a usage error that points to batch mode, and batch mode without
# a runtime folder says nothing about it. A program whose window library is
# missing says so and still runs in batch mode.
# Usage: no_desktop.sh PATH-TO-QUANTIVIEW
. "$(dirname "$0")/one_lot.sh"

env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$q" "$dir/lot.csv" > "$dir/out" 2> "$dir/err"
got=$?
if [ "$got" -eq 2 ] && grep -q "no display to open the window on" "$dir/err" &&
    grep -q -- "--report" "$dir/err"; then
    echo "ok: no display is a usage error (exit $got)"
else
    echo "FAIL: no display: exit $got"
    cat "$dir/err"
    failed=1
fi

env -u XDG_RUNTIME_DIR -u DISPLAY -u WAYLAND_DISPLAY "$q" --export "$dir/chart.png" "$dir/lot.csv" \
    > "$dir/out" 2> "$dir/err"
got=$?
if [ "$got" -eq 0 ] && [ ! -s "$dir/err" ]; then
    echo "ok: batch mode without a runtime folder writes nothing to stderr"
else
    echo "FAIL: batch mode without a runtime folder: exit $got"
    cat "$dir/err"
    failed=1
fi
# The program alone, without its window's library beside it or installed.
mkdir "$dir/alone"
cp "$q" "$dir/alone/quantiview"
env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:98 "$dir/alone/quantiview" "$dir/lot.csv" \
    > "$dir/out" 2> "$dir/err"
got=$?
if [ "$got" -eq 2 ] && grep -q "the window's library could not be loaded" "$dir/err" &&
    "$dir/alone/quantiview" --report "$dir/lot.csv" > "$dir/out" 2> "$dir/err" && [ -s "$dir/out" ]; then
    echo "ok: without its window library the window is refused and batch mode runs"
else
    echo "FAIL: without the window library: exit $got"
    cat "$dir/err"
    failed=1
fi
exit $failed
