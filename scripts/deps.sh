#!/usr/bin/env bash
# The one list of Debian packages that building, running and testing Zuview
# needs. Sourced by the other scripts; installs only what is missing, so it is
# cheap to run again.
set -euo pipefail

ZUVIEW_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  clang libclang-rt-14-dev
  qt6-base-dev qt6-svg-dev
  poppler-utils
  libjpeg-dev libboost-dev libfreetype-dev libfontconfig-dev
  fonts-ipafont-gothic fonts-ipafont-mincho
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  locales
  xvfb xauth libxtst-dev
  cups printer-driver-cups-pdf poppler-utils
)

zuview_missing_packages() {
  local pkg
  for pkg in "${ZUVIEW_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      printf '%s\n' "$pkg"
    fi
  done
}

zuview_install_packages() {
  local missing
  mapfile -t missing < <(zuview_missing_packages)
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  zuview_install_packages
fi
