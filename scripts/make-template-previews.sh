#!/usr/bin/env bash
# Renews the preview pictures of the shipped templates (data/Templates/<name>.jpg) from real
# screenshots: the shipped-template tests build one gallery per template from generated
# pictures, headless Chromium photographs each, and a scaled-down copy becomes the preview.
#
#   scripts/make-template-previews.sh BUILD_DIR [SCREENSHOT_DIR]
#
# The full-size screenshots (at desktop and at phone width)
# stay in SCREENSHOT_DIR (default: a new temporary folder) for a closer look.
set -euo pipefail

build_dir=${1:?usage: $0 BUILD_DIR [SCREENSHOT_DIR]}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
shots=${2:-$(mktemp -d)}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$shots"

FSC_KEEP_SHIPPED_GALLERIES="$work/galleries" \
  "$build_dir/tests/templates_shipped/templates_shipped_tests" \
  --gtest_filter='*BuildsEveryPageWithLinksThatResolve*' >/dev/null

# One fresh browser profile per picture, so nothing carries over between them. A busy
# machine now and then gets no picture from the browser; it is asked up to three times.
screenshot() {  # URL WIDTH HEIGHT OUTPUT
  local profile attempt
  for attempt in 1 2 3; do
    profile=$(mktemp -d "$work/profile.XXXXXX")
    rm -f "$4"
    chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
      --disable-background-networking --disable-component-update --disable-sync \
      --hide-scrollbars --user-data-dir="$profile" --window-size="$2,$3" \
      --screenshot="$4" "$1" >/dev/null 2>&1 || true
    [ -s "$4" ] && return 0
  done
  echo "no screenshot of $1" >&2
  exit 1
}

# Gallery built by the tests, and the template whose preview it gives.
for pair in ClassicTable:Classic ModernDark:Modern ModernLight: SlideShow:Slideshow Frames:Frames; do
  gallery=${pair%%:*}
  template=${pair#*:}
  screenshot "file://$work/galleries/$gallery/index.html" 1280 860 "$shots/$gallery.png"
  screenshot "file://$work/galleries/$gallery/index.html" 390 844 "$shots/$gallery-phone.png"
  [ -n "$template" ] || continue
  # The preview is the screenshot itself, scaled down by the browser and saved as JPEG.
  cat >"$work/preview.html" <<HTML
<!DOCTYPE html><html><body style="margin:0">
<img src="file://$shots/$gallery.png" style="display:block;width:240px;height:161px" alt="">
</body></html>
HTML
  screenshot "file://$work/preview.html" 240 161 "$work/$template.jpg"
  cp "$work/$template.jpg" "$source_dir/data/Templates/$template.jpg"
done
echo "$shots"
