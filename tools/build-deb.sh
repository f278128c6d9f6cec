#!/bin/sh
# Builds the Debian package from a clean clone of the checked-out commit,
# leaves the package files in build-deb/ and installs the package.
set -eu
cd "$(dirname "$0")/.."
tools/install-deps.sh
if [ "$(id -u)" -eq 0 ]; then
    sudo=""
else
    sudo="sudo"
fi
rm -rf build-deb
git clone --quiet . build-deb/source
DEBIAN_FRONTEND=noninteractive $sudo apt-get build-dep -y ./build-deb/source
(cd build-deb/source && dpkg-buildpackage -b -us -uc)
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y ./build-deb/tessel-admin-printer_*.deb
