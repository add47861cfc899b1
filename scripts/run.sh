#!/usr/bin/env bash
# Sets up, builds (release) and starts the application; extra arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --target qx574 -j"$(nproc)"
exec build/release/src/app/qx574 "$@"
