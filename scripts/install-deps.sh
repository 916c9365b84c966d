#!/usr/bin/env bash
# Installs every Debian package the project needs, and only those that are missing.
# Quiet when everything is present; safe to run again and again.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev
  libjpeg-dev libpng-dev libwebp-dev libavif-dev libtiff-dev libheif-dev liblcms2-dev libraw-dev libexiv2-dev
  libexif-dev libssh-dev libssl-dev libwmf-dev libemf2svg-dev librsvg2-dev zlib1g-dev libgif-dev
  clang libclang-rt-14-dev clang-format
  fonts-dejavu-core fonts-urw-base35 libjpeg-turbo-progs
  webp libheif-examples libavif-bin libtiff-tools libimage-exiftool-perl
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  python3-pyftpdlib python3-openssl ca-certificates openssl openssh-server openssh-client
  chromium tidy
  xvfb xdotool
  dbus-daemon python3-dbus python3-gi
  dpkg-dev file desktop-file-utils appstream shared-mime-info
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
  [ "$status" = "installed" ] || missing+=("$package")
done
install_packages() {
  echo "Installing: ${missing[*]}"
  local sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}
[ ${#missing[@]} -eq 0 ] || install_packages

# The browser tests drive Debian's Chromium through playwright-core and check the pages'
# accessibility with axe-core, both from the npm registry.
browser_tests="$(dirname "$0")/../tests/browser"
if [ ! -d "$browser_tests/node_modules/playwright-core" ] ||
   [ ! -d "$browser_tests/node_modules/axe-core" ]; then
  echo "Installing the browser test driver and accessibility checker (npm)"
  npm ci --prefix "$browser_tests" --no-audit --no-fund --loglevel=error >/dev/null
fi
