#!/usr/bin/env bash
# Installs the Debian packages that building and checking the Debian packages need (beside
# what scripts/setup-debian.sh installs by default), but only the missing ones.
set -euo pipefail
exec "$(dirname "$0")/setup-debian.sh" dpkg-dev binutils file lintian desktop-file-utils \
  appstream gzip
