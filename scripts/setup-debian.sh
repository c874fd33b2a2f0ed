#!/usr/bin/env bash
# Installs the Debian 12 packages Pergolan needs to build, run and test, but only the
# missing ones, so a second run costs nothing. Given package names, it installs those instead
# (scripts/setup-packaging.sh does so).
set -euo pipefail

packages=(
  cmake g++ make ninja-build pkg-config git clang-format
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev libqt6webenginecore6-bin
  qt6-translations-l10n qt6-qpa-plugins libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libreoffice-writer libreoffice-calc libreoffice-dev libreoffice-dev-common
  libsword-dev sword-text-web
  poppler-utils unzip openssl ca-certificates python3-icalendar
  fonts-liberation fonts-dejavu-core xauth xvfb
)
if [ $# -gt 0 ]; then
  packages=("$@")
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installiere fehlende Pakete: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
