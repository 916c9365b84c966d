#!/usr/bin/env bash
# Installs the built project under a fresh prefix, moves the tree elsewhere, and runs the
# installed programs as a user would: they must find their templates and plug-ins from
# where they lie, and every desktop file must pass its validator.
# Usage: InstalledTreeTest.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$work/first" >/dev/null
# A tree moved after installing still finds its files: nothing may point at the prefix.
mv "$work/first" "$work/moved"
prefix=$work/moved
export HOME=$work/home XDG_CONFIG_HOME=$work/home/config XDG_STATE_HOME=$work/home/state
unset FOLIOSCOPE_DATA_DIR FOLIOSCOPE_PLUGIN_DIR
mkdir -p "$HOME"

for file in bin/folioscope bin/folioscope-cli share/folioscope/Templates/Classic.tpl \
    share/applications/org.orvik.folioscope.desktop \
    share/metainfo/org.orvik.folioscope.metainfo.xml share/mime/packages/folioscope.xml \
    share/icons/hicolor/scalable/apps/folioscope.svg \
    share/icons/hicolor/48x48/apps/folioscope.png share/man/man1/folioscope.1 \
    share/man/man1/folioscope-cli.1 share/bash-completion/completions/folioscope-cli \
    share/doc/folioscope/examples/lake.jpg lib/folioscope/plugins/gif.so; do
  [ -e "$prefix/$file" ] || fail "$file is not installed"
done

cli=$prefix/bin/folioscope-cli
[ "$("$cli" --version)" = "Folioscope 2.13" ] || fail "folioscope-cli --version"
[ "$(QT_QPA_PLATFORM=offscreen "$prefix/bin/folioscope" --version)" = "Folioscope 2.13" ] ||
  fail "folioscope --version"
"$cli" templates | grep -q "^Classic	" || fail "the installed template library is not listed"

# A GIF is read only by the gif plug-in, so the gallery shows that the plug-ins were found.
pictures=$work/pictures
cp -r "$prefix/share/doc/folioscope/examples" "$pictures"
printf 'GIF89a\001\000\001\000\200\000\000\377\000\000\000\000\000!\371\004\000\000\000\000\000,\000\000\000\000\001\000\001\000\000\002\002D\001\000;' \
  >"$pictures/dot.gif"
"$cli" build --images "$pictures" --images "$pictures/dot.gif" --html-dir "$work/web" --html-file index.html \
  --template Classic --quiet --yes >"$work/build.out" || fail "the gallery was not built"
[ "$(cat "$work/build.out")" = "$work/web/index.html" ] || fail "build printed $(cat "$work/build.out")"
for name in lake dusk dot; do
  ls "$work/web/images" | grep -q "^$name" || fail "no copy of $name in the gallery"
done

# AVIF is written and read through libraries the programs open only when a picture needs
# them: an AVIF copy made by one build is read back by another.
"$cli" build --images "$pictures/lake.jpg" --html-dir "$work/avif" --html-file index.html \
  --set IMAGEAVIF=true --quiet --yes >/dev/null || fail "the build with AVIF copies failed"
avif=$(find "$work/avif" -name 'lake*.avif' | head -n 1)
[ -n "$avif" ] || fail "no AVIF copy of lake"
"$cli" build --images "$avif" --html-dir "$work/from-avif" --html-file index.html \
  --template none --quiet --yes >/dev/null || fail "the AVIF copy could not be read back"
ls "$work/from-avif/images" | grep -q '^lake' || fail "no copy of the AVIF picture"

desktop-file-validate "$prefix/share/applications/org.orvik.folioscope.desktop" ||
  fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix/share/metainfo/org.orvik.folioscope.metainfo.xml" \
  >"$work/appstream.out" || { cat "$work/appstream.out"; fail "appstreamcli validate"; }
update-mime-database "$prefix/share/mime"
grep -q "application/x-folioscope-gallery:\*\.gal" "$prefix/share/mime/globs2" || fail "no .gal type"
grep -q "application/x-folioscope-image-set:\*\.set" "$prefix/share/mime/globs2" || fail "no .set type"

# The manual and the completion know every command and option the program's usage names.
manual=$(sed 's/\\-/-/g' "$prefix/share/man/man1/folioscope-cli.1")
completion=$(cat "$prefix/share/bash-completion/completions/folioscope-cli")
for word in $("$cli" --help | grep -oE -- '(--[a-z-]+|^  folioscope-cli [a-z]+)' |
              sed 's/^  folioscope-cli //' | sort -u); do
  grep -qF -- "$word" <<<"$manual" || fail "the manual page lacks $word"
  grep -qwF -- "$word" <<<"$completion" || fail "the bash completion lacks $word"
done
echo "installed tree works"
