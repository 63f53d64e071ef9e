#!/usr/bin/env bash
# Installs the Debian packages Vendrel needs to build, run and test, when any is missing.
set -euo pipefail

packages=(
  cmake g++ make pkg-config python3
  qt6-base-dev libgl-dev
  # lupdate and lrelease with their CMake commands, and Qt's own translated texts.
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  libminizip-dev zlib1g-dev
  fonts-dejavu-core
  desktop-file-utils appstream
  # The file types: xmllint checks the MIME file, update-mime-database builds it.
  libxml2-utils shared-mime-info
  # The shells vendrel-pack's completion is tested in (bash is always there).
  zsh fish
  clang-format git
  # The Debian package: dpkg-shlibdeps (dpkg-dev, file) for its Depends, man for the
  # manual pages, lintian to check it.
  dpkg-dev file man-db lintian
  # Outside archivers the tests read every package with (unzip -t, 7z t), zip for the
  # benchmark's comparison, and the time zones the reproducibility tests pack under.
  unzip zip p7zip-full tzdata
  # FAT and exFAT disks in user space, for the tests of disks without Unix permissions.
  dosfstools fusefat exfatprogs exfat-fuse
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
