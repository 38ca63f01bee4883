#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need.
# Only what is missing is installed; sudo is used when not running as root.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang clang-tidy clang-format libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools qt6-image-formats-plugins libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  python3 python3-dbf python3-dbfread libdbd-xbase-perl pgdbf
  # the chain's customer database: the client library, and a server for the tests
  libpq-dev postgresql
  poppler-utils xvfb xauth fonts-liberation locales-all
  # packaging: man pages, icons, desktop and AppStream checks, the .deb
  help2man librsvg2-bin desktop-file-utils appstream dpkg-dev
  # the installed program driven under Xvfb, and printing through CUPS
  xdotool cups printer-driver-cups-pdf
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
