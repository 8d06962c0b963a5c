#!/usr/bin/env bash
# Adds what a 32-bit x86 build of the core libraries needs: gcc-multilib and
# the :i386 development packages of the graphics libraries.
set -euo pipefail
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends gcc-multilib g++-multilib \
  libfreetype-dev:i386 libfontconfig-dev:i386 libjpeg62-turbo-dev:i386 libpng-dev:i386
