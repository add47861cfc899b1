#!/usr/bin/env bash
# Installs every Debian package that building, testing, benchmarking and packaging need,
# when missing, and any further packages named on the command line (scripts/fuzz.sh names
# clang's).
set -euo pipefail
packages=(
  cmake g++ make pkg-config ccache
  qt6-base-dev libqcustomplot-dev libhidapi-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core fonts-liberation poppler-utils
  desktop-file-utils shared-mime-info dpkg-dev file groff-base librsvg2-bin
  libmosquitto-dev mosquitto mosquitto-clients influxdb curl
  "$@"
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" = 0 ]; then
    as_root=()
  elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
  else
    echo "These Debian packages are missing: ${missing[*]}" >&2
    echo "Installing them needs root: run this script as root, or install sudo." >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
