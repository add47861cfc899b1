#!/usr/bin/env bash
# Builds the fuzz targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer) in build/fuzz
# and runs one target, or all of them one after another, for SECONDS each:
#   scripts/fuzz.sh [TARGET|all] [SECONDS]      (defaults: all, 60)
# Targets: memory_image collection_file graph_file import_text meter_replies report_input.
# Each starts from the hex files of tests/data and the inputs it once failed on
# (tests/data/fuzz/TARGET/), converted to binary seeds in build/fuzz/corpus/TARGET/seeds; what
# it learns is kept in build/fuzz/corpus/TARGET/learned for the next run. A finding is written
# to build/fuzz/findings/TARGET/ and ends the script with status 1: fix it, then keep the input
# as commented hex in tests/data/fuzz/TARGET/, where the test suite replays it.
set -euo pipefail
shopt -s nullglob
cd "$(dirname "$0")/.."

all_targets=(memory_image collection_file graph_file import_text meter_replies report_input)
target=${1:-all}
seconds=${2:-60}
if [ "$target" = all ]; then
  targets=("${all_targets[@]}")
elif [[ " ${all_targets[*]} " == *" $target "* ]]; then
  targets=("$target")
else
  echo "unknown fuzz target: $target (one of: all ${all_targets[*]})" >&2
  exit 2
fi
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
  echo "SECONDS must be a whole number above 0, not: $seconds" >&2
  exit 2
fi

bash scripts/setup.sh clang libclang-rt-14-dev
build=build/fuzz
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DQX574_FUZZ=ON -DQX574_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target qx574_hex_seeds "${targets[@]/#/fuzz_}"

status=0
for t in "${targets[@]}"; do
  corpus=$build/corpus/$t
  findings=$build/findings/$t
  rm -rf "$corpus/seeds"
  mkdir -p "$corpus/learned" "$findings"
  "$build/fuzz/qx574_hex_seeds" "$corpus/seeds" tests/data/*.hex tests/data/fuzz/"$t"/*.hex
  echo "== $t: $seconds s"
  # A hang is a finding too: no input of these routines takes seconds.
  if ! "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=20 -print_final_stats=1 \
      -artifact_prefix="$findings/" "$corpus/learned" "$corpus/seeds"; then
    echo "== $t: FINDING, see $findings/" >&2
    status=1
  fi
done
exit $status
