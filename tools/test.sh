#!/bin/sh
# Builds everything and runs every test. With --sanitize, builds a separate
# tree with AddressSanitizer and UndefinedBehaviorSanitizer and runs the tests there.
set -e
cd "$(dirname "$0")/.."
dir=build
flags=""
if [ "$1" = "--sanitize" ]; then
  dir=build-asan
  flags="-DQORVA_SANITIZE=ON -DQORVA_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug"
fi
tools/setup.sh
cmake -S . -B "$dir" $flags
cmake --build "$dir" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$dir" --output-on-failure -j"$(nproc)"
