#!/bin/sh
# Builds the program and starts it on the bundled sample project.
set -e
cd "$(dirname "$0")/.."
tools/setup.sh
cmake -S . -B build
cmake --build build -j"$(nproc)" --target qorva
sample=examples/office.id
if [ -f "$sample" ]; then exec build/qorva "$sample"; else exec build/qorva; fi
