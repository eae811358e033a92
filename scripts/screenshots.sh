#!/bin/bash
# Saves screenshots of a real run for a person to look at: the splash window,
# the launcher bar, the main window and the whole screen.  Runs the program
# under Xvfb (xvfb-run) with a fresh, temporary settings folder.
#
#   scripts/screenshots.sh [BUILD_DIR] [OUT_DIR]      (defaults: build, BUILD_DIR/screenshots)
#
# Needs xvfb-run, xwininfo, xprop and ImageMagick's import.
set -euo pipefail

build=$(realpath "${1:-build}")
out=$(realpath -m "${2:-$build/screenshots}")

if [ -z "${SV_SCREENSHOTS_IN_X:-}" ]; then
    for tool in xvfb-run xwininfo xprop import; do
        command -v "$tool" >/dev/null || { echo "screenshots.sh: $tool is missing" >&2; exit 1; }
    done
    SV_SCREENSHOTS_IN_X=1 exec xvfb-run -a -s "-screen 0 1440x900x24" "$0" "$build" "$out"
fi

mkdir -p "$out"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
# A first start: nothing stored, every window at its default place.
mkdir -p "$home/config/Sonivard" "$home/data"

source "$(dirname "$0")/window-of.sh"

# Waits up to $2 seconds for the window of role $1 and prints its id.
wait_for() {
    local i id
    for ((i = 0; i < $2 * 10; i++)); do
        id=$(window_of "$1")
        if [ -n "$id" ]; then echo "$id"; return; fi
        sleep 0.1
    done
}

XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" SV_BIN_DIR="$build/bin" "$build/bin/sonivard" &
pid=$!

splash=$(wait_for SplashScreen 20)
if [ -n "$splash" ]; then
    sleep 0.5
    import -window "$splash" "$out/splash.png"
fi

launcher=$(wait_for FormIntegrator 20)
main=$(wait_for FormMP3ScanningCentre 20)
sleep 1
[ -n "$launcher" ] && import -window "$launcher" "$out/launcher.png"
[ -n "$main" ] && import -window "$main" "$out/main-window.png"
import -window root "$out/screen.png"

kill -TERM "$pid"
wait "$pid"
echo "screenshots in $out"
