#!/bin/sh
# Writes PNG pictures of the main window's tabs and of the program's dialogs, the screen
# capture window among them, into FOLDER, drawn by a real X server (Xvfb) so fonts and
# styles are the desktop's.
# Usage: scripts/screenshot.sh FOLDER [BUILD_DIR] [dark]
# With "dark" the windows are drawn in the colours of a dark desktop theme.
set -eu
if [ $# -lt 1 ]; then
  echo "usage: $0 FOLDER [BUILD_DIR] [dark]" >&2
  exit 2
fi
folder=$1
build=${2:-$(dirname "$0")/../build}
tool="$build/tests/ui/ui_screenshots"
if [ ! -x "$tool" ]; then
  echo "$tool is missing: build the target ui_screenshots first" >&2
  exit 1
fi
if ! command -v xvfb-run >/dev/null; then
  echo "xvfb-run is missing: install Debian's xvfb (scripts/install-deps.sh)" >&2
  exit 1
fi
theme=${3:-}
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb "$tool" "$folder" $theme
