#!/usr/bin/env bash
# Shows the Encoder Decoder window with a few generated WAV rows under Xvfb
# and saves a PNG of it (or, with --dialog options, of the Encoder Decoder
# Options dialog).
#   scripts/screenshot-encoder.sh [output.png] [--no-skins] [--dialog options]
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-build/encoder-window.png}"
shift || true
if [ ! -x build/bin/encoder_bench ] || [ ! -d "build/bin/Skins/Fun Blue" ]; then
  scripts/build.sh
fi
mkdir -p "$(dirname "$out")"
xvfb-run -a -s "-screen 0 ${SV_SCREEN:-1280x800}x24 -dpi 96" \
  env QT_QPA_PLATFORM=xcb SV_BIN_DIR="$PWD/build/bin" build/bin/encoder_bench --screenshot "$out" --ms 50 "$@"
echo "$out"
