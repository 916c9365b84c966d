#!/usr/bin/env bash
# Builds the Debian package of the two programs with CPack into ./build and prints its path.
# Its library dependencies come from the binaries (dpkg-shlibdeps); the URW fonts that
# libwmf needs are added by name. Builds only what the package holds.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target installed_programs
rm -f build/folioscope_*.deb
(cd build && cpack -G DEB >cpack.log 2>&1) || { cat build/cpack.log >&2; exit 1; }
ls build/folioscope_*.deb
