#!/bin/sh
# Builds the libFuzzer targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz, then fuzzes each for a bounded
# time from its seed corpus (new inputs go to a scratch folder; the committed
# corpora are left as they are):
#   project_reader_fuzz   project files          fuzz/corpus         (60 s)
#   parameter_file_fuzz   parameter files        fuzz/corpus-params  (30 s)
#   old_project_fuzz      projects before 320    fuzz/corpus-old     (30 s)
#   weather_file_fuzz     weather years (EPW, CSV) fuzz/corpus-weather (30 s)
# QORVA_FUZZ_SECONDS overrides every time.
set -e
cd "$(dirname "$0")/.."
tools/setup.sh
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DQORVA_BUILD_FUZZ=ON -DQORVA_BUILD_GUI=OFF \
  -DQORVA_BUILD_BENCH=OFF -DQORVA_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-fuzz -j"$(nproc)" --target project_reader_fuzz parameter_file_fuzz old_project_fuzz weather_file_fuzz
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fuzz() {
  target=$1
  corpus=$2
  seconds=${QORVA_FUZZ_SECONDS:-$3}
  log="$scratch/$target.log"
  mkdir "$scratch/$target"
  if ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "build-fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=16384 -print_final_stats=1 -artifact_prefix=build-fuzz/ "$scratch/$target" "$corpus" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz: $target ran ${runs:-?} inputs in $seconds s without a failure"
  else
    tail -n 60 "$log"
    echo "fuzz: $target found a failing input (see above)"
    exit 1
  fi
}

fuzz project_reader_fuzz fuzz/corpus 60
fuzz parameter_file_fuzz fuzz/corpus-params 30
fuzz old_project_fuzz fuzz/corpus-old 30
fuzz weather_file_fuzz fuzz/corpus-weather 30
