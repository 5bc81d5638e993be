#!/bin/sh
# Builds the Debian package: a Release build of the programs (no tests, no
# benchmarks) in build-package/, then cpack. The package is left as
# build-package/qorva_VERSION_ARCH.deb and its path printed. Optimised with
# -O2 as Debian builds its packages (GCC 12 at -O3 warns falsely about
# std::string copies, -Wrestrict).
set -e
cd "$(dirname "$0")/.."
tools/setup.sh
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DQORVA_BUILD_TESTS=OFF -DQORVA_BUILD_BENCH=OFF
cmake --build build-package -j"$(nproc)"
rm -f build-package/qorva_*.deb
(cd build-package && cpack -G DEB)
ls "$PWD"/build-package/qorva_*.deb
