#!/usr/bin/env bash
# Builds the GUI-free libraries with AddressSanitizer and UndefinedBehaviorSanitizer into
# ./build-asan and runs their tests.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DFSC_GUI_FREE_ONLY=ON -DFSC_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$(nproc)"
cd build-asan
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure --no-tests=error -j"$(nproc)"
