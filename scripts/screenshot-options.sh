#!/usr/bin/env bash
# Saves a PNG of each page of the Options dialog under Xvfb.
#   scripts/screenshot-options.sh [output-folder] [--no-skins]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/bench-shot.sh
out="${1:-build/options-pages}"
shift || true
if [ ! -x build/bin/options_demo ]; then
  cmake --build build --target options_demo
fi
mkdir -p "$out"
for page in 1 2 3 4 5; do
  run_on_xvfb options_demo --screenshot "$out/options-page$page.png" --page "$page" "$@"
  echo "$out/options-page$page.png"
done
