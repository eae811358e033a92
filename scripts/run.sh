#!/usr/bin/env bash
# Installs what is missing, builds, and starts Sonivard (any argument is passed on).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec build/bin/sonivard "$@"
