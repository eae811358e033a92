#!/usr/bin/env bash
# Configures and builds everything into build/ with all cores.
set -euo pipefail
cd "$(dirname "$0")/.."
# Extra configure arguments may come in SV_CMAKE_ARGS (the test run passes
# -DSV_WERROR=ON).
# shellcheck disable=SC2086
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${SV_CMAKE_ARGS:-}
cmake --build build -j "$(nproc)"
