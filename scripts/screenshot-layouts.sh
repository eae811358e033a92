#!/usr/bin/env bash
# Screenshots of tool windows on the screens people have, for a person to
# look over: each window at the size it opens with and at the smallest size
# it allows, on screens of 1920x1080, 1366x768, 1024x768 and 800x600, with
# the Fun Blue and Slate skins and plain.  Runs the per-window scripts with
# SV_SCREEN, SV_SHOT_SIZE and SV_SKIN_SCHEME (see bench/BenchSupport.h).
#   scripts/screenshot-layouts.sh [output-folder] [window ...]
# Windows: main coordinator cataloguer playlists (default: all four).
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-build/layout-shots}"
shift || true
windows=("$@")
[ ${#windows[@]} -eq 0 ] && windows=(main coordinator cataloguer playlists)
mkdir -p "$out"
for window in "${windows[@]}"; do
  for screen in 1920x1080 1366x768 1024x768 800x600; do
    for look in "Fun Blue" Slate plain; do
      for size in opening minimum; do
        name="$out/$window-$screen-${look// /}-$size"
        flags=()
        scheme="$look"
        if [ "$look" = plain ]; then flags=(--no-skins); scheme="Fun Blue"; fi
        if [ "$window" = cataloguer ]; then
          target=("$name")
        else
          target=("$name.png")
        fi
        SV_SCREEN="$screen" SV_SHOT_SIZE="$size" SV_SKIN_SCHEME="$scheme" \
          "scripts/screenshot-$window.sh" "${target[@]}" "${flags[@]}" >/dev/null 2>&1 ||
          echo "failed: $name" >&2
      done
    done
  done
done
echo "screenshots in $out"
