#!/usr/bin/env bash
# Installs the Debian packages that Quantiview needs to build, run and test;
# with the argument "wintest", those that cross-build the core for Windows and
# run its tests under Wine instead. Quick when nothing is missing: dpkg is asked
# first, apt only for what lacks.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
  qt6-qpa-plugins
  qt6-tools-dev qt6-tools-dev-tools qt6-documentation-tools libqt6sql6-sqlite
  libboost-math-dev
  zlib1g-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  fonts-liberation fontconfig
  xvfb xauth
  poppler-utils librsvg2-bin
  help2man gzip dpkg-dev desktop-file-utils shared-mime-info appstream
  clang-14 libclang-rt-14-dev
)
if [ "${1:-}" = wintest ]; then
  packages=(
    cmake make g++-mingw-w64-x86-64-posix googletest libboost-math-dev
    wine wine64
  )
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  SUDO=()
else
  SUDO=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
