#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Velmorant need.
# Only what is missing is installed; uses sudo when not run as root.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config
  libgtest-dev libgmock-dev
  libboost-dev
  libtinyxml2-dev
  libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev libsdl2-mixer-dev
  libavformat-dev libavcodec-dev libswscale-dev libavutil-dev
  libfontconfig-dev libcairo2-dev
  fonts-liberation fonts-dejavu-core
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
