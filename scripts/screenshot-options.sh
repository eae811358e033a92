#!/usr/bin/env bash
# Saves a PNG of each page of the Options dialog under Xvfb.
#   scripts/screenshot-options.sh [output-folder] [--no-skins]
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-build/options-pages}"
shift || true
if [ ! -x build/bin/options_demo ]; then
  cmake --build build --target options_demo
fi
mkdir -p "$out"
for page in 1 2 3 4 5; do
  xvfb-run -a -s "-screen 0 ${SV_SCREEN:-1280x800}x24 -dpi 96" \
    env QT_QPA_PLATFORM=xcb SV_BIN_DIR="$PWD/build/bin" build/bin/options_demo \
    --screenshot "$out/options-page$page.png" --page "$page" "$@"
  echo "$out/options-page$page.png"
done
