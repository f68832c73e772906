#!/usr/bin/env bash
# Installs the Debian 12 packages Pennory needs to build, test and run. Quiet and quick when
# everything is already there.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-translations-l10n libgl-dev
  libicu-dev icu-devtools libzip-dev libexpat1-dev zlib1g-dev libgtest-dev libgmock-dev libbenchmark-dev
  fonts-noto-cjk fonts-arphic-uming fonts-wqy-zenhei poppler-utils
  xvfb xauth imagemagick xdotool qt6ct libx11-dev libxdamage-dev libxtst-dev
  desktop-file-utils appstream dpkg-dev file lintian
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
