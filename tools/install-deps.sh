#!/usr/bin/env bash
# Installs the Debian 12 packages Quenvale needs to build, run and test, skipping those already present. Packages
# named as arguments are installed too (tools/check-package.sh names the packaging tools it runs).
set -euo pipefail

# libcups2-dev: the slips are handed to CUPS directly; cups and printer-driver-cups-pdf: the printing tests run a
# print system of their own; libqt6sql6-psql and postgresql: several desks share one server database, and the tests
# run a throwaway server of their own; libpq-dev: a desk tells a lost server connection; libicu-dev: the medicines'
# pinyin initials; qt6-charts-dev: the sales charts
packages=(cmake g++ ninja-build pkg-config qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libsqlite3-dev
          fonts-noto-cjk qt6-translations-l10n libcups2-dev cups printer-driver-cups-pdf libqt6sql6-psql postgresql libpq-dev
          libicu-dev qt6-charts-dev "$@")

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if ((${#missing[@]})); then
    sudo=""
    if [[ $(id -u) -ne 0 ]]; then
        sudo="sudo"
    fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
