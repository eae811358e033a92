#!/usr/bin/env bash
# Saves screenshots of where the windows open on the screens people have:
# 1920x1080, 1366x768, 1024x768 and 800x600, with openbox as the window
# manager (when it is installed) and without one, skinned and plain, on a
# first start and with places stored by a run on a 1920x1080 screen.  With
# xdotool installed, a second picture shows the Options dialog opened from the
# launcher bar.  Each run has a fresh, temporary settings folder.
#
#   scripts/screenshot-placement.sh [BUILD_DIR] [OUT_DIR]   (defaults: build, BUILD_DIR/placement-shots)
#
# Needs xvfb-run, x11-utils (xwininfo, xprop) and ImageMagick's import.
set -euo pipefail
scripts=$(cd "$(dirname "$0")" && pwd)
cd "$scripts/.."

# One run inside the X server: $1 size, $2 window manager, $3 skins, $4 start.
if [ -n "${SV_PLACEMENT_IN_X:-}" ]; then
    build=$SV_PLACEMENT_BUILD out=$SV_PLACEMENT_OUT
    size=$1 wm=$2 skins=$3 start=$4
    home=$(mktemp -d)
    trap 'rm -rf "$home"' EXIT
    mkdir -p "$home/config/Sonivard" "$home/data"
    ini="$home/config/Sonivard/Sonivard.ini"
    use=True
    [ "$skins" = plain ] && use=False
    printf '[Preferences]\r\nSplashScreen=False\r\nUseSkins=%s\r\nRetainWindows=True\r\n' "$use" > "$ini"
    if [ "$start" = stored ]; then
        # As a run on a 1920x1080 screen left them (twips, 15 a pixel).
        printf '\r\n[WindowStates]\r\nFormFileNameTagCoordinator=True\r\nFormDuplicateFinder=True\r\n' >> "$ini"
        printf '\r\n[WindowPositions]\r\n' >> "$ini"
        while read -r name left top width height; do
            printf '%sState=0\r\n%sLeft=%s\r\n%sTop=%s\r\n%sWidth=%s\r\n%sHeight=%s\r\n' \
                "$name" "$name" "$left" "$name" "$top" "$name" "$width" "$name" "$height" >> "$ini"
        done <<'PLACES'
FormIntegrator 0 0 6072 4080
FormMP3ScanningCentre 6315 0 19200 12000
FormFileNameTagCoordinator 9000 3000 18000 10500
FormDuplicateFinder 18000 9000 9000 6000
DialogOptions 12000 4500 12180 9000
PLACES
    fi
    source "$scripts/window-of.sh"
    if [ "$wm" = openbox ]; then
        openbox >/dev/null 2>&1 &
        sleep 1
    fi
    XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" SV_BIN_DIR="$build/bin" QT_QPA_PLATFORM=xcb \
        "$build/bin/sonivard" &
    pid=$!
    sleep 5
    name="$size-$wm-$skins-$start"
    import -window root "$out/$name.png"
    if command -v xdotool >/dev/null; then
        # The launcher bar's Options button, then the menu's first page.
        bar=$(window_of FormIntegrator)
        xdotool mousemove --window "$bar" 238 26 click 1
        sleep 1
        xdotool mousemove --window "$bar" 260 60 click 1
        sleep 3
        import -window root "$out/$name-options.png"
        xdotool key Escape
        sleep 1
    fi
    kill -TERM "$pid"
    for _ in 1 2 3 4 5 6 7 8 9 10; do kill -0 "$pid" 2>/dev/null || break; sleep 0.5; done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" || true
    exit 0
fi

build=$(realpath "${1:-build}")
out=$(realpath -m "${2:-$build/placement-shots}")
command -v xvfb-run >/dev/null && command -v import >/dev/null || { echo "needs xvfb-run and import" >&2; exit 1; }
managers=(none)
command -v openbox >/dev/null && managers+=(openbox)
mkdir -p "$out"
for size in 1920x1080 1366x768 1024x768 800x600; do
    for wm in "${managers[@]}"; do
        for skins in skinned plain; do
            for start in first stored; do
                SV_PLACEMENT_IN_X=1 SV_PLACEMENT_BUILD="$build" SV_PLACEMENT_OUT="$out" xvfb-run -a -s "-screen 0 ${size}x24 -dpi 96" "$scripts/screenshot-placement.sh" "$size" "$wm" "$skins" "$start"
            done
        done
    done
done
echo "screenshots in $out"
