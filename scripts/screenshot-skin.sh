#!/usr/bin/env bash
# Starts the skinned demo window under Xvfb and saves a PNG screenshot of it.
#   scripts/screenshot-skin.sh [output.png] [demo options: --scheme Slate, --no-skins]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/bench-shot.sh
# The demo always gets the same screen, whatever SV_SCREEN says.
shot_screen=1024x768
out="${1:-build/skin-demo.png}"
shift || true
if [ -f build/build.ninja ]; then
  cmake --build build --target skin_demo skins
else
  scripts/build.sh
fi
mkdir -p "$(dirname "$out")"
run_on_xvfb skin_demo --screenshot "$out" "$@"
echo "$out"
