#!/usr/bin/env bash
# Sets up, builds with AddressSanitizer and UndefinedBehaviorSanitizer, and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DQX574_SANITIZE=ON >/dev/null
cmake --build build/asan -j"$(nproc)"
cd build/asan
ctest --output-on-failure -j"$(nproc)" "$@"
