#!/usr/bin/env bash
# Installs the Debian packages (Debian 12 or 13) Pergolan needs to build, run and test, but only
# the missing ones, so a second run costs nothing, and makes the German locale the tests run in.
# Given package names, it installs those instead (scripts/setup-packaging.sh does so).
set -euo pipefail

packages=(
  cmake g++ make ninja-build pkg-config git clang-format dpkg-dev
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev libqt6webenginecore6-bin
  qt6-translations-l10n qt6-qpa-plugins libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libreoffice-writer libreoffice-calc libreoffice-dev libreoffice-dev-common
  libsword-dev sword-text-web
  poppler-utils unzip openssl ca-certificates python3-icalendar
  fonts-liberation fonts-dejavu-core xauth xvfb locales
)
# The tests run the program in German (LANG=de_DE.UTF-8); without that locale Qt 6.8 warns
# on the error output, which several tests expect empty.
locale=de_DE.UTF-8
if [ $# -gt 0 ]; then
  packages=("$@")
  locale=
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installiere fehlende Pakete: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# locale -a names it de_DE.utf8.
if [ -n "$locale" ] && ! locale -a 2>/dev/null | grep -qx 'de_DE\.utf8'; then
  echo "Erzeuge die Locale $locale"
  "${sudo_cmd[@]}" sed -i "s/^# *\($locale UTF-8\)/\1/" /etc/locale.gen
  grep -qx "$locale UTF-8" /etc/locale.gen \
    || echo "$locale UTF-8" | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  "${sudo_cmd[@]}" locale-gen
fi
