#!/bin/sh
# Builds the project-file reader's libFuzzer target with clang, AddressSanitizer
# and UndefinedBehaviorSanitizer in build-fuzz, then fuzzes it for about a
# minute from the seed corpus in fuzz/corpus (new inputs go to a scratch
# folder; the committed corpus is left as it is).
set -e
cd "$(dirname "$0")/.."
tools/setup.sh
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DQORVA_BUILD_FUZZ=ON -DQORVA_BUILD_GUI=OFF \
  -DQORVA_BUILD_BENCH=OFF -DQORVA_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-fuzz -j"$(nproc)" --target project_reader_fuzz
scratch=$(mktemp -d)
log="$scratch/fuzz.log"
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/corpus"
seconds=${QORVA_FUZZ_SECONDS:-60}
if ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  build-fuzz/fuzz/project_reader_fuzz -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -max_len=16384 -print_final_stats=1 -artifact_prefix=build-fuzz/ "$scratch/corpus" fuzz/corpus >"$log" 2>&1; then
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "fuzz: project_reader_fuzz ran ${runs:-?} inputs in ${seconds} s without a failure"
else
  tail -n 60 "$log"
  echo "fuzz: project_reader_fuzz found a failing input (see above)"
  exit 1
fi
