#!/bin/sh
# Installs what building, running and testing need on Debian 12.
set -eu
packages="build-essential cmake ninja-build pkg-config
    qtbase5-dev qttools5-dev qttools5-dev-tools libqt5serialport5-dev libqt5svg5 libqt5svg5-dev
    qttranslations5-l10n
    libcups2-dev cups cups-client cups-ppdc cups-ipp-utils
    dbus dbus-daemon adwaita-icon-theme breeze-icon-theme passwd
    clang libclang-rt-14-dev
    desktop-file-utils appstream"
if [ "$(id -u)" -eq 0 ]; then
    sudo=""
else
    sudo="sudo"
fi
missing=""
for package in $packages; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing="$missing $package"
done
if [ -n "$missing" ]; then
    $sudo apt-get update
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends $missing
fi
