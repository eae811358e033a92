#!/usr/bin/env bash
# Shows the Encoder Decoder window with a few generated WAV rows under Xvfb
# and saves a PNG of it (or, with --dialog options, of the Encoder Decoder
# Options dialog).
#   scripts/screenshot-encoder.sh [output.png] [--no-skins] [--dialog options]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/bench-shot.sh
out="${1:-build/encoder-window.png}"
shift || true
build_if_missing encoder_bench
mkdir -p "$(dirname "$out")"
run_on_xvfb encoder_bench --screenshot "$out" --ms 50 "$@"
echo "$out"
