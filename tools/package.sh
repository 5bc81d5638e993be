#!/bin/sh
# Builds the Debian package: a Release build of the programs (no tests, no
# benchmarks) in build-package/, then cpack. The package is left as
# build-package/qorva_VERSION_ARCH.deb and its path printed.
set -e
cd "$(dirname "$0")/.."
tools/setup.sh
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DQORVA_BUILD_TESTS=OFF -DQORVA_BUILD_BENCH=OFF
cmake --build build-package -j"$(nproc)"
(cd build-package && cpack -G DEB)
ls "$PWD"/build-package/qorva_*.deb
