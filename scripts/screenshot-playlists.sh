#!/usr/bin/env bash
# Opens a playlist of a small generated collection (and one missing file) in
# the Playlist Manager under Xvfb and saves a PNG of the window.
#   scripts/screenshot-playlists.sh [output.png] [--no-skins] [--dialog entry|results]
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-build/playlist-manager.png}"
shift || true
if [ ! -x build/bin/playlist_window_bench ] || [ ! -d "build/bin/Skins/Fun Blue" ]; then
  scripts/build.sh
fi
collection="build/screenshot-collection"
if [ ! -d "$collection" ]; then
  /usr/bin/python3 "${SV_MAKE_CORPUS:-../shared/bench/make_corpus.py}" "$collection" 24 --seconds 1 >/dev/null
fi
mkdir -p "$(dirname "$out")"
xvfb-run -a -s "-screen 0 ${SV_SCREEN:-1280x800}x24 -dpi 96" \
  env QT_QPA_PLATFORM=xcb SV_BIN_DIR="$PWD/build/bin" build/bin/playlist_window_bench --screenshot "$out" --folder "$(realpath "$collection")" "$@"
echo "$out"
