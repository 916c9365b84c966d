#!/usr/bin/env bash
# Configures and builds the project (Release) into ./build; FSC_WARNINGS_AS_ERRORS=ON
# makes any compiler warning fail the build, as CI does.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release \
  -DFSC_WARNINGS_AS_ERRORS="${FSC_WARNINGS_AS_ERRORS:-OFF}" >/dev/null
cmake --build build -j"$(nproc)"
