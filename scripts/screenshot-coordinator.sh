#!/usr/bin/env bash
# Simulates a small generated collection in the File Name and Tag Coordinator
# under Xvfb and saves a PNG of the window (or, with --dialog advanced, of its
# Advanced Options dialog, or with apply / masstagging the Apply Changes dialog
# or the Mass Tagging Override Tool).
#   scripts/screenshot-coordinator.sh [output.png] [--no-skins] [--dialog advanced]
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-build/coordinator-window.png}"
shift || true
if [ ! -x build/bin/coordinator_bench ] || [ ! -d "build/bin/Skins/Fun Blue" ]; then
  scripts/build.sh
fi
collection="build/screenshot-collection"
if [ ! -d "$collection" ]; then
  /usr/bin/python3 "${SV_MAKE_CORPUS:-../shared/bench/make_corpus.py}" "$collection" 24 --seconds 1 >/dev/null
fi
mkdir -p "$(dirname "$out")"
xvfb-run -a -s "-screen 0 ${SV_SCREEN:-1280x800}x24 -dpi 96" \
  env QT_QPA_PLATFORM=xcb SV_BIN_DIR="$PWD/build/bin" build/bin/coordinator_bench --screenshot "$out" --folder "$(realpath "$collection")" "$@"
echo "$out"
