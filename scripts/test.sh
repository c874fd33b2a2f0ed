#!/usr/bin/env bash
# Installs what is missing, builds Pergolan with its tests and runs the whole test suite
# headless. With --sanitize the build uses the address and undefined-behaviour sanitizers
# (in build-asan/).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup-debian.sh

cmake_args=(-DPERGOLAN_WERROR=ON)
export BUILD_DIR=build
if [ "${1:-}" = "--sanitize" ]; then
  cmake_args+=(-DPERGOLAN_SANITIZE=ON -DPERGOLAN_BUILD_BENCH=OFF)
  export BUILD_DIR=build-asan BUILD_TYPE=Debug
  # Qt's and LibreOffice's own libraries are not ours to fix; leaks are reported by tests
  # that look for them, not at every exit of a Qt program.
  export ASAN_OPTIONS=detect_leaks=0:detect_odr_violation=0
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
./scripts/build.sh "${cmake_args[@]}"

export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$BUILD_DIR" --output-on-failure --timeout 900
