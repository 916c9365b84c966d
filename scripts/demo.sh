#!/usr/bin/env bash
# Installs what is missing, builds (Release) and builds a sample gallery from the pictures
# of examples/ with a shipped template into ./demo-gallery; prints the path of its index page.
set -euo pipefail
target="$PWD/demo-gallery"
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh >/dev/null
# A run of its own: the demo neither reads nor changes the user's options and backups.
state="$(mktemp -d)"
trap 'rm -rf "$state"' EXIT
XDG_CONFIG_HOME="$state/config" XDG_STATE_HOME="$state/state" \
  build/src/cli/folioscope-cli build --quiet --yes \
    --images examples \
    --html-dir "$target" --html-file index.html \
    --template Modern --param "Title=Folioscope sample gallery"
