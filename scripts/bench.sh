#!/usr/bin/env bash
# Sets up, builds the benchmarks in release mode and runs them all.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DQX574_BENCH=ON >/dev/null
cmake --build build/release -j"$(nproc)"
for b in build/release/bench/bench_*; do
  if [ -f "$b" ] && [ -x "$b" ]; then
    QT_QPA_PLATFORM=offscreen "$b" "$@"
  fi
done
