#!/usr/bin/env bash
# Installs build/folioscope_*.deb with apt-get on this machine, runs the installed
# folioscope-cli on the installed examples and templates, and removes the package again,
# whatever happens in between. Needs root (or sudo).
set -euo pipefail
cd "$(dirname "$0")/.."
shopt -s nullglob
packages=(build/folioscope_*.deb)
if [ ${#packages[@]} -ne 1 ]; then
  echo "expected one build/folioscope_*.deb, found ${#packages[@]}: run scripts/package.sh" >&2
  exit 1
fi
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
# Other jobs may hold the package database for a while.
apt=("${sudo_cmd[@]}" apt-get -y -qq -o DPkg::Lock::Timeout=300)

remove_package() {
  local status
  status=$(dpkg-query -W -f='${db:Status-Status}' folioscope 2>/dev/null || true)
  if [ -n "$status" ] && [ "$status" != not-installed ]; then
    "${apt[@]}" remove --purge folioscope >/dev/null
  fi
}
# A run that was killed may have left the package behind; start from a machine without it.
remove_package
work=$(mktemp -d)
trap 'remove_package; rm -rf "$work"' EXIT

"${apt[@]}" install --no-install-recommends "./${packages[0]}" >/dev/null
fail() { echo "package check FAILED: $*" >&2; exit 1; }
[ "$(command -v folioscope-cli)" = /usr/bin/folioscope-cli ] || fail "folioscope-cli is not in /usr/bin"

# The installed program runs with a home of its own, so the machine's options stay untouched.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/config XDG_STATE_HOME=$work/home/state
unset FOLIOSCOPE_DATA_DIR FOLIOSCOPE_PLUGIN_DIR
mkdir -p "$HOME"
expected="Folioscope $(sed -n 's/^project(Folioscope VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
cd "$work"
version=$(folioscope-cli --version)
[ "$version" = "$expected" ] || fail "folioscope-cli --version says \"$version\", not \"$expected\""
folioscope-cli templates >templates.txt
grep -q "^Classic	" templates.txt || fail "the installed template library is not listed"
page=$(folioscope-cli build --images /usr/share/doc/folioscope/examples --html-dir "$work/web" --html-file index.html \
  --template Classic --yes --quiet)
[ "$page" = "$work/web/index.html" ] && [ -s "$page" ] || fail "no gallery page ($page)"
copies=$(ls "$work/web/images" | wc -l)
[ "$copies" -ge 5 ] || fail "the gallery holds $copies picture files"
# The libraries the program opens on first use are not seen by dpkg-shlibdeps: the package
# must name each one's package itself.
depends=$(dpkg-query -W -f='${Depends}' folioscope)
linked=$(objdump -p /usr/bin/folioscope-cli | awk '$1 == "NEEDED" {print $2}')
for soname in $(strings /usr/bin/folioscope-cli | grep -E '^lib[A-Za-z0-9_.+-]+\.so\.[0-9]+$' | sort -u); do
  grep -qxF "$soname" <<<"$linked" && continue
  file=$(/sbin/ldconfig -p | awk -v name="$soname" '$1 == name && /x86-64/ {print $NF; exit}')
  owner=$(dpkg-query -S "$(realpath "${file:-/nonexistent}")" 2>/dev/null | cut -d: -f1)
  [ -n "$owner" ] || fail "no installed package holds $soname"
  grep -qE "(^|, )$owner( |,|$)" <<<"$depends" || fail "the package does not depend on $owner ($soname)"
done
dpkg -L folioscope | grep -q '/man1/folioscope-cli\.1' || fail "no manual page in the package"
echo "package check passed: $(basename "${packages[0]}") installed, $(wc -l <templates.txt) templates listed, a gallery of the examples built; removing it"
