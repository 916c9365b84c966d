#!/usr/bin/env bash
# Brings the lightbox library the shipped templates use (PhotoSwipe, MIT) from the npm
# registry into each template folder that shows it, with its licence. The files are kept in
# the source tree so that a gallery builds without a network; run this to move to another
# version, then look at the lightbox test's result.
set -euo pipefail
cd "$(dirname "$0")/.."
version="${1:-5.4.4}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm pack --silent "photoswipe@$version" >/dev/null && tar xzf photoswipe-*.tgz)
for template in Classic Modern Frames; do
  target="data/Templates/$template.tpl.dir/photoswipe"
  mkdir -p "$target"
  cp "$work/package/dist/umd/photoswipe.umd.min.js" "$work/package/dist/photoswipe.css" \
     "$work/package/LICENSE" "$target/"
done
# The glue that opens it is kept in Modern's folder and copied to the others.
for template in Classic Frames; do
  cp data/Templates/Modern.tpl.dir/lightbox.js data/Templates/Modern.tpl.dir/lightbox.css \
     "data/Templates/$template.tpl.dir/"
done
echo "PhotoSwipe $version is in the Classic, Modern and Frames templates"
