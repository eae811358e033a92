#!/usr/bin/env bash
# Scans a small generated collection in the scanning centre window under Xvfb
# and saves a PNG of the window.
#   scripts/screenshot-main.sh [output.png] [--no-skins]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/bench-shot.sh
out="${1:-build/main-window.png}"
shift || true
build_if_missing mainwin_bench
make_collection
mkdir -p "$(dirname "$out")"
run_on_xvfb mainwin_bench --screenshot "$out" --folder "$(realpath "$collection")" "$@"
echo "$out"
