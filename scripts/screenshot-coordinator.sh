#!/usr/bin/env bash
# Simulates a small generated collection in the File Name and Tag Coordinator
# under Xvfb and saves a PNG of the window (or, with --dialog advanced, of its
# Advanced Options dialog, or with apply / masstagging the Apply Changes dialog
# or the Mass Tagging Override Tool).
#   scripts/screenshot-coordinator.sh [output.png] [--no-skins] [--dialog advanced]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/bench-shot.sh
out="${1:-build/coordinator-window.png}"
shift || true
build_if_missing coordinator_bench
make_collection
mkdir -p "$(dirname "$out")"
run_on_xvfb coordinator_bench --screenshot "$out" --folder "$(realpath "$collection")" "$@"
echo "$out"
