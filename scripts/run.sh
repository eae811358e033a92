#!/usr/bin/env bash
# Installs what is missing, builds, and starts Sonivard (any argument is passed on)
# with the build's own tag library, skins and help pages.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
SV_BIN_DIR="$PWD/build/bin" exec build/bin/sonivard "$@"
