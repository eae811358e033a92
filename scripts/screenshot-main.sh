#!/usr/bin/env bash
# Scans a small generated collection in the scanning centre window under Xvfb
# and saves a PNG of the window.
#   scripts/screenshot-main.sh [output.png] [--no-skins]
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-build/main-window.png}"
shift || true
if [ ! -x build/bin/mainwin_bench ] || [ ! -d "build/bin/Skins/Fun Blue" ]; then
  scripts/build.sh
fi
collection="build/screenshot-collection"
if [ ! -d "$collection" ]; then
  /usr/bin/python3 "${SV_MAKE_CORPUS:-../shared/bench/make_corpus.py}" "$collection" 24 --seconds 1 >/dev/null
fi
mkdir -p "$(dirname "$out")"
xvfb-run -a -s "-screen 0 ${SV_SCREEN:-1280x800}x24 -dpi 96" \
  env QT_QPA_PLATFORM=xcb SV_BIN_DIR="$PWD/build/bin" build/bin/mainwin_bench --screenshot "$out" --folder "$(realpath "$collection")" "$@"
echo "$out"
