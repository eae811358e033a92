#!/usr/bin/env bash
# Builds a small catalogue with awkward titles in the Music Cataloguer under
# Xvfb and saves PNGs of the window and of the window with the Find dialog;
# the pages are saved too, and the first, a middle and the last page are
# rendered by headless Chromium when it is installed (else by Qt's rich-text
# engine); last, a PNG of each of
# the cataloguer's option dialogs.
#   scripts/screenshot-cataloguer.sh [output-folder] [--no-skins]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/bench-shot.sh
out="${1:-build/cataloguer-shots}"
shift || true
build_if_missing cataloguer_window_bench
mkdir -p "$out/pages"
rm -f "$out"/pages/*.html
run_on_xvfb cataloguer_window_bench \
  --screenshot "$out/cataloguer-window.png" --find "$out/cataloguer-find.png" --save "$(realpath "$out/pages")" "$@"
browser="$(command -v chromium || command -v chromium-browser || true)"
if [ -n "$browser" ]; then
  for page in 001 002 003; do
    "$browser" --headless --no-sandbox --disable-gpu --window-size=1100,900 \
      --screenshot="$(realpath "$out")/page-$page.png" "file://$(realpath "$out/pages/My Music Collection $page.html")" \
      >/dev/null 2>&1 || true
  done
else
  # No browser: Qt's own rich-text engine draws the pages instead.
  QT_QPA_PLATFORM=offscreen build/bin/cataloguer_window_bench --render-pages "$(realpath "$out/pages")"
fi
run_on_xvfb cataloguer_window_bench --dialogs "$(realpath "$out")" --delay 700
ls "$out"
