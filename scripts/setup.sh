#!/usr/bin/env bash
# Installs every Debian package that building, testing, benchmarking and packaging need,
# when missing.
set -euo pipefail
packages=(
  cmake g++ make pkg-config
  qt6-base-dev libqcustomplot-dev libhidapi-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core fonts-liberation
  desktop-file-utils shared-mime-info dpkg-dev file groff-base librsvg2-bin
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" = 0 ] || SUDO=sudo
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
