#!/usr/bin/env bash
# Opens a playlist of a small generated collection (and one missing file) in
# the Playlist Manager under Xvfb and saves a PNG of the window.
#   scripts/screenshot-playlists.sh [output.png] [--no-skins] [--dialog entry|results]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/bench-shot.sh
out="${1:-build/playlist-manager.png}"
shift || true
build_if_missing playlist_window_bench
make_collection
mkdir -p "$(dirname "$out")"
run_on_xvfb playlist_window_bench --screenshot "$out" --folder "$(realpath "$collection")" "$@"
echo "$out"
