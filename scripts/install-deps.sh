#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test, benchmark
# and run. Idempotent and non-interactive; run as root (or with sudo).
set -euo pipefail

packages=(
  cmake g++ make pkg-config git
  libjpeg62-turbo-dev libpng-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core
  libcli11-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libgeographiclib-dev libproj-dev proj-data libsqlite3-dev libstb-dev
  qt6-base-dev libqt6test6 xvfb xauth xdotool x11-apps imagemagick
  libgdal-dev gdal-bin
  marble-data python3
  geographiclib-tools proj-bin
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
