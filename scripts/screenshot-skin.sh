#!/usr/bin/env bash
# Starts the skinned demo window under Xvfb and saves a PNG screenshot of it.
#   scripts/screenshot-skin.sh [output.png] [demo options: --scheme Slate, --no-skins]
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-build/skin-demo.png}"
shift || true
if [ -f build/build.ninja ]; then
  cmake --build build --target skin_demo skins
else
  scripts/build.sh
fi
mkdir -p "$(dirname "$out")"
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
  env QT_QPA_PLATFORM=xcb SV_BIN_DIR="$PWD/build/bin" build/bin/skin_demo --screenshot "$out" "$@"
echo "$out"
