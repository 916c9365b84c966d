#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; non-zero exit when anything fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
cd build
ctest --output-on-failure --no-tests=error -j"$(nproc)"
