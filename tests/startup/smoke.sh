#!/bin/bash
# Starts the real program under Xvfb with a temporary settings folder in which
# the last run left the Playlist Manager open and the main window's folder,
# check box, sort and columns set, waits for the splash window to go and the
# windows to come up, ends the program as the session would (SIGTERM), and
# checks what it saved on the way out: the main window stores what it loaded.
#
#   smoke.sh PROGRAM         exit 0 passed, 77 skipped (no xvfb-run), else failed
set -u
program=$1
command -v xvfb-run >/dev/null || { echo "xvfb-run is missing: skipped"; exit 77; }
command -v xwininfo >/dev/null && command -v xprop >/dev/null || { echo "x11-utils missing: skipped"; exit 77; }

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/config/Sonivard" "$home/data" "$home/music"
printf '[Preferences]\r\nRetainWindows=True\r\n\r\n[WindowStates]\r\nFormPlaylistManager=True\r\nFormDuplicateFinder=False\r\n' \
    > "$home/config/Sonivard/Sonivard.ini"
printf '\r\n[MP3ScanningCentre]\r\nSelectedFolder=%s\r\nIncludeSubfolders=1\r\n' "$home/music" \
    >> "$home/config/Sonivard/Sonivard.ini"
printf '\r\n[ListViewScanResults]\r\nSorted=True\r\nSortKey=5\r\nSortOrder=1\r\n3Visible=False\r\n2Width=2880\r\n' \
    >> "$home/config/Sonivard/Sonivard.ini"
# The program must talk to the X server, whatever platform the test runner chose.
export QT_QPA_PLATFORM=xcb
export XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" SV_SMOKE_PROGRAM="$program"

# Inside the X server: run, wait for the windows, end, report.
cat > "$home/inside.sh" <<'INSIDE'
#!/bin/bash
has_window() {
    local id
    for id in $(xwininfo -root -tree | awk '/^ +0x/ {print $1}'); do
        xprop -id "$id" WM_WINDOW_ROLE 2>/dev/null | grep -q "\"$1\"" && return 0
    done
    return 1
}
"$SV_SMOKE_PROGRAM" "/no/such/folder/results.scn" &
pid=$!
splash=0 up=0
for ((i = 0; i < 900; i++)); do
    has_window SplashScreen && splash=1
    if has_window FormIntegrator && has_window FormMP3ScanningCentre && has_window FormPlaylistManager &&
        ! has_window SplashScreen; then
        up=1
        break
    fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -TERM "$pid" 2>/dev/null
wait "$pid"
rc=$?
echo "splash=$splash up=$up rc=$rc"
[ "$splash" = 1 ] && [ "$up" = 1 ] && [ "$rc" = 0 ]
INSIDE
chmod +x "$home/inside.sh"

# xvfb-run -a picks a free display number without holding it, so an X server
# started by another test at the same moment can take it first: only that
# failure to start the server is tried again.
for ((try = 1; ; try++)); do
    timeout 150 xvfb-run -a -s "-screen 0 1280x900x24" "$home/inside.sh" 2>"$home/xvfb.err" && break
    cat "$home/xvfb.err" >&2
    if [ "$try" -lt 3 ] && grep -q "Xvfb failed to start" "$home/xvfb.err"; then continue; fi
    echo "the program did not start and end cleanly"
    exit 1
done

ini="$home/config/Sonivard/Sonivard.ini"
fail=0
expect() {
    if ! tr -d '\r' < "$ini" | grep -qx "$1"; then
        echo "missing in the settings: $1"
        fail=1
    fi
}
expect "FormPlaylistManager=True"
expect "FormDuplicateFinder=False"
expect "FormFileNameTagCoordinator=False"
expect "StayOnTop=1"
expect "Initialised=True"
expect "SelectedFolder=$home/music"
expect "IncludeSubfolders=1"
expect "Sorted=True"
expect "SortKey=5"
expect "SortOrder=1"
expect "3Visible=False"
expect "2Visible=True"
expect "2Width=2880"
expect "4Width=1440"
tr -d '\r' < "$ini" | grep -q "^FormIntegratorLeft=" || { echo "the launcher bar's position was not saved"; fail=1; }
[ "$fail" = 0 ] && echo "passed"
exit "$fail"
