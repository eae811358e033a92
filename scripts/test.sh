#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
SV_CMAKE_ARGS="-DSV_WERROR=ON" scripts/build.sh
cd build
ctest --output-on-failure -j "$(nproc)" --timeout 600
