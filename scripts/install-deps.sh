#!/bin/sh
# Installs the Debian 12 packages Uvola builds, runs and tests with (man-db
# and groff-base format the manual page in the install test), python3-numpy,
# which the planet table generators in tools/ need, and python3-ephem, the
# oracle of tools/oracle/small_body_oracle.py and jovian_oracle.py.
# The X core fonts cover every charset of a UTF-8 locale (C.UTF-8,
# en_US.UTF-8, ja_JP.UTF-8): xfonts-base the Japanese, Korean and Chinese
# ones and Greek (charcell); the transcoded 75/100 dpi fonts the other ISO
# 8859 parts, the Cronyx ones ISO 8859-5 and KOI8-R, all proportional.
# Idempotent: says nothing and changes nothing when every package is present.
set -eu

PACKAGES="
build-essential cmake pkg-config clang libclang-rt-dev python3
libmotif-dev libxpm-dev libgdbm-dev libjpeg62-turbo-dev libxt-dev libx11-dev
xfonts-base xfonts-75dpi xfonts-100dpi xfonts-75dpi-transcoded xfonts-100dpi-transcoded
xfonts-cronyx-isocyr-75dpi xfonts-cronyx-isocyr-100dpi xfonts-cronyx-koi8r-75dpi xfonts-cronyx-koi8r-100dpi
xvfb xdotool x11-utils libnss-wrapper
libgtest-dev libgmock-dev googletest libbenchmark-dev
liberfa-dev libnova-dev locales iproute2
man-db groff-base
python3-numpy python3-ephem
"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
