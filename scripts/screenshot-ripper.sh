#!/usr/bin/env bash
# Shows the CD Ripper with a generated disc image under Xvfb and saves a PNG
# of the window.
#   scripts/screenshot-ripper.sh [output.png] [--no-skins]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/bench-shot.sh
out="${1:-build/ripper-window.png}"
shift || true
if [ ! -x build/bin/ripper_window_demo ] || [ ! -d "build/bin/Skins/Fun Blue" ]; then
  cmake --build build -j8 --target ripper_window_demo
fi
mkdir -p "$(dirname "$out")"
run_on_xvfb ripper_window_demo --screenshot "$out" "$@"
echo "$out"
