#!/usr/bin/env bash
# The core and its tests for Windows: installs the cross-compiler and Wine when
# they are missing, cross-builds with the `wintest` preset and runs the tests
# under Wine, without a display. Root runs Wine as "nobody", for whom a folder
# that refuses new files does refuse them, as it does for a Windows user.
# Usage: scripts/wintest.sh [JOBS] [WERROR(ON|OFF)]
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${1:-$(nproc)}
werror=${2:-OFF}

./scripts/install-deps.sh wintest
cmake --preset wintest -DQV_WERROR="$werror"
cmake --build --preset wintest -j"$jobs"

build=$PWD/build/wintest
export WINEPREFIX=$build/wine
export WINEDEBUG=-all
# Console programs need no display; without one Wine shows no window either.
unset DISPLAY WAYLAND_DISPLAY
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  mkdir -p "$WINEPREFIX"
  chown nobody:nogroup "$WINEPREFIX"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups
           env HOME="$WINEPREFIX" USER=nobody)
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Making the Wine prefix $WINEPREFIX"
  "${as_user[@]}" wineboot --init
  "${as_user[@]}" wineserver --wait
fi
"${as_user[@]}" wine "$build/tests/qv_core_tests.exe" --gtest_brief=1
