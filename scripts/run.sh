#!/usr/bin/env bash
# Installs what is missing, builds Pergolan and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup-debian.sh
./scripts/build.sh
exec ./build/program/pergolan "$@"
