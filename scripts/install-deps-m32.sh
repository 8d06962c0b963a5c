#!/usr/bin/env bash
# Adds what a 32-bit x86 build of the core libraries and their tests needs:
# gcc-multilib, the :i386 development packages of the graphics libraries and
# of the reference libraries the geodesy tests compare with. GoogleTest comes
# from the sources of libgtest-dev (scripts/install-deps.sh). GeographicLib's
# development package exists for one architecture only: the amd64 one keeps
# the headers, the i386 runtime library is linked directly (cmake/OrqPeers.cmake).
set -euo pipefail
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends gcc-multilib g++-multilib \
  libfreetype-dev:i386 libfontconfig-dev:i386 libjpeg62-turbo-dev:i386 libpng-dev:i386 \
  libgeographiclib23:i386 libproj-dev:i386 libsqlite3-dev:i386
