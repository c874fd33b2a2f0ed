#!/usr/bin/env bash
# Builds the Debian package into dist/ (pergolan_<version>_<arch>.deb) and checks it with
# lintian, desktop-file-validate and appstreamcli. Uses the build folder build/ (or BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup-debian.sh
./scripts/setup-packaging.sh

export BUILD_DIR=${BUILD_DIR:-build}
./scripts/build.sh -DPERGOLAN_WERROR=ON
mkdir -p dist
rm -f dist/pergolan_*.deb
(cd "$BUILD_DIR" && cpack -G DEB)
rm -rf dist/_CPack_Packages
deb=$(ls dist/pergolan_*.deb)

desktop-file-validate packaging/*.desktop
appstreamcli validate --no-net packaging/*.metainfo.xml
# Errors fail the build; warnings are shown.
lintian --fail-on error --tag-display-limit 0 "$deb"
echo "Paket: $deb"
