#!/usr/bin/env bash
# Builds a small catalogue with awkward titles in the Music Cataloguer under
# Xvfb and saves PNGs of the window and of the window with the Find dialog;
# the pages are saved too, and the first, a middle and the last page are
# rendered by headless Chromium when it is installed.
#   scripts/screenshot-cataloguer.sh [output-folder] [--no-skins]
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-build/cataloguer-shots}"
shift || true
if [ ! -x build/bin/cataloguer_window_bench ] || [ ! -d "build/bin/Skins/Fun Blue" ]; then
  scripts/build.sh
fi
mkdir -p "$out/pages"
rm -f "$out"/pages/*.html
xvfb-run -a -s "-screen 0 1280x800x24 -dpi 96" \
  env QT_QPA_PLATFORM=xcb SV_BIN_DIR="$PWD/build/bin" build/bin/cataloguer_window_bench \
  --screenshot "$out/cataloguer-window.png" --find "$out/cataloguer-find.png" --save "$(realpath "$out/pages")" "$@"
browser="$(command -v chromium || command -v chromium-browser || true)"
if [ -n "$browser" ]; then
  for page in 001 002 003; do
    "$browser" --headless --no-sandbox --disable-gpu --window-size=1100,900 \
      --screenshot="$(realpath "$out")/page-$page.png" "file://$(realpath "$out/pages/My Music Collection $page.html")" \
      >/dev/null 2>&1 || true
  done
fi
ls "$out"
