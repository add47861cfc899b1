#!/usr/bin/env bash
# Sets up, builds the benchmarks in release mode and runs them all; arguments go to every
# benchmark program. With --build-only as the first argument it builds them and stops (CI does,
# so that a benchmark that no longer compiles is seen at once).
set -euo pipefail
cd "$(dirname "$0")/.."
build_only=false
if [ "${1:-}" = "--build-only" ]; then
  build_only=true
  shift
fi
bash scripts/setup.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DQX574_BENCH=ON -DQX574_TESTS=OFF >/dev/null
cmake --build build/release -j"$(nproc)"
if $build_only; then
  exit 0
fi
for b in build/release/bench/bench_*; do
  if [ -f "$b" ] && [ -x "$b" ]; then
    QT_QPA_PLATFORM=offscreen "$b" "$@"
  fi
done
