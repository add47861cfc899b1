#!/usr/bin/env bash
# Sets up, builds the program in release mode and makes its Debian package; prints the
# package's path. Install it with: sudo apt install ./<that path>
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/package -DCMAKE_BUILD_TYPE=Release -DQX574_TESTS=OFF >/dev/null
cmake --build build/package -j"$(nproc)" >&2
cd build/package
rm -f ./*.deb
cpack -G DEB >&2
realpath ./*.deb
