#!/usr/bin/env bash
# Installs the Debian packages Lindora needs to build, test and run, when some are missing.
# --package adds the tools that build and check the Debian package (scripts/package.sh and
# the package tests).
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libcairo2-dev libpango1.0-dev libfontconfig-dev fonts-dejavu-core
  libgtk-3-dev libwebkit2gtk-4.1-dev libcanberra-dev libxtst-dev
  xvfb xauth
  openbox xdotool
)
if [ "${1:-}" = "--package" ]; then
  PACKAGES+=(dpkg-dev help2man gzip lintian desktop-file-utils appstream man-db)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
