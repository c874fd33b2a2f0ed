#!/usr/bin/env bash
# Installs the Debian 12 packages that building and checking the Debian package needs (beside
# what scripts/setup-debian.sh installs by default), but only the missing ones.
set -euo pipefail
exec "$(dirname "$0")/setup-debian.sh" dpkg-dev fakeroot file lintian desktop-file-utils \
  appstream gzip
