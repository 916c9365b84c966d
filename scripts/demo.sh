#!/usr/bin/env bash
# Installs what is missing, builds (Release) and runs the program on the shipped samples.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh >/dev/null
build/src/cli/folioscope-cli --version
