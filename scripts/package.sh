#!/usr/bin/env bash
# Builds the Debian packages into dist/ (pergolan_<version>_<arch>.deb and, for reading SWORD
# modules, pergolan-sword_<version>_<arch>.deb) and checks them with lintian,
# desktop-file-validate and appstreamcli, and what a default install of pergolan would pull in.
# Uses the build folder build/ (or BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup-debian.sh
./scripts/setup-packaging.sh

export BUILD_DIR=${BUILD_DIR:-build}
./scripts/build.sh -DPERGOLAN_WERROR=ON
mkdir -p dist
rm -f dist/pergolan_*.deb dist/pergolan-sword_*.deb
(cd "$BUILD_DIR" && cpack -G DEB)
rm -rf dist/_CPack_Packages
deb=$(ls dist/pergolan_*.deb)
sword_deb=$(ls dist/pergolan-sword_*.deb)

desktop-file-validate packaging/*.desktop
appstreamcli validate --no-net packaging/*.metainfo.xml
# Errors fail the build; warnings are shown.
lintian --fail-on error --tag-display-limit 0 "$deb" "$sword_deb"

# What "apt install ./pergolan_*.deb" pulls in on a fresh system, Recommends included: with an
# empty package status nothing counts as installed, so nothing on this machine hides a
# dependency. No Bible program (libsword recommends a SWORD front end: that is why SWORD has a
# package of its own), no terminal, no image viewer.
./scripts/check-install-closure.sh "$deb"
echo "Pakete: $deb $sword_deb"
