#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks that what is installed
# runs on its own: every companion file is in place and in the install
# manifest (the menu entry and the icons among them), no installed file holds
# the path of the source or build folder, the tag library loads and offers its
# entry point, and the installed program starts (offscreen, with a temporary
# settings folder), stays up and ends cleanly on SIGTERM.
#
#   check-install.sh [BUILD_DIR]     exit 0 passed, else failed
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; exit 1; }

fail=0
need() { [ -e "$prefix/$1" ] || { echo "not installed: $1"; fail=1; }; }
need bin/sonivard
need lib/sonivard/sonivard
need lib/sonivard/libquillmark.so
need include/quillmark/Quillmark.h
need "lib/sonivard/Skins/Fun Blue/Settings.ini"
need "lib/sonivard/Skins/Slate/TitleBar.jpg"
need lib/sonivard/WebHelp
need share/applications/sonivard.desktop
for size in 16 32 48 256; do need "share/icons/hicolor/${size}x${size}/apps/sonivard.png"; done
soname=$(objdump -p "$prefix/lib/sonivard/libquillmark.so" | awk '/SONAME/ {print $2}')
[ "$soname" = libquillmark.so.1 ] || { echo "the tag library's SONAME is '$soname'"; fail=1; }
need "lib/sonivard/$soname"
# Every installed file and link, the program's link in bin/, the menu entry
# and the icons among them, is in the install manifest, so whatever goes by
# it (an uninstall, a package) finds them all.
manifest=$build/install_manifest.txt
if [ ! -f "$manifest" ]; then
    echo "no install manifest: $manifest"; fail=1
else
    while IFS= read -r -d '' installed; do
        grep -qxF -- "$installed" "$manifest" || { echo "installed but not in the install manifest: ${installed#"$prefix"/}"; fail=1; }
    done < <(find "$prefix" \( -type f -o -type l \) -print0)
fi
# The menu entry: valid, starting the installed program, with the installed
# icon (each picture of its stated size).
entry=$prefix/share/applications/sonivard.desktop
if [ -f "$entry" ]; then
    if ! command -v desktop-file-validate >/dev/null; then
        echo "desktop-file-validate is not installed (scripts/install-deps.sh installs it)"
        fail=1
    elif ! report=$(desktop-file-validate "$entry" 2>&1) || [ -n "$report" ]; then
        echo "the menu entry does not validate:"; echo "$report"; fail=1
    fi
    exec_line=$(sed -n 's/^Exec=//p' "$entry")
    [ "$exec_line" = "\"$prefix/bin/sonivard\" %f" ] || { echo "the menu entry starts '$exec_line'"; fail=1; }
    icon=$(sed -n 's/^Icon=//p' "$entry")
    [ "$icon" = sonivard ] || { echo "the menu entry's icon is '$icon'"; fail=1; }
fi
[ ! -d "$prefix/share/icons/hicolor" ] || python3 - "$prefix/share/icons/hicolor" <<'PY' || fail=1
import os, struct, sys
for folder in sorted(os.listdir(sys.argv[1])):
    path = os.path.join(sys.argv[1], folder, "apps", "sonivard.png")
    with open(path, "rb") as f:
        head = f.read(24)
    size = struct.unpack(">II", head[16:24]) if head[:8] == b"\x89PNG\r\n\x1a\n" else None
    if folder != "%dx%d" % (size or (0, 0)):
        print("icon %s is %s" % (path, "%dx%d" % size if size else "no PNG"))
        sys.exit(1)
PY

# Nothing of the build machine's folders is in any installed file, debug
# information included: neither the source folder nor the build folder, as
# configured or as real paths.
folders=("$(pwd -P)" "$build")
for key in CMAKE_HOME_DIRECTORY CMAKE_CACHEFILE_DIR; do
    folder=$(sed -n "s/^$key:INTERNAL=//p" "$build/CMakeCache.txt")
    if [ -n "$folder" ]; then folders+=("$folder"); fi
done
mapfile -t folders < <(printf '%s\n' "${folders[@]}" | sort -u)
for folder in "${folders[@]}"; do
    found=$(grep -rlF -- "$folder" "$prefix" || true)
    [ -z "$found" ] || { echo "installed files hold the path $folder:"; echo "$found"; fail=1; }
done
[ "$fail" = 0 ] || exit 1

# A sanitizer build's library needs the sanitizer runtime loaded first, and
# python's own leaks are not ours.
preload=
if objdump -p "$prefix/lib/sonivard/libquillmark.so" | grep -q 'NEEDED.*libasan'; then
    preload=$(${CXX:-c++} -print-file-name=libasan.so)
fi
LD_PRELOAD=$preload ASAN_OPTIONS=detect_leaks=0 python3 - "$prefix/lib/sonivard/libquillmark.so" <<'PY' || exit 1
import ctypes, sys
ctypes.CDLL(sys.argv[1]).DllGetClassObject
PY

# The installed program alone: nothing of the build tree may be found.  It
# is ended by SIGTERM twice: while it is still starting, and once it is up.
unset SV_BIN_DIR
export QT_QPA_PLATFORM=offscreen
catches_term() {
    local mask
    mask=$(awk '/^SigCgt:/ {print $2}' "/proc/$1/status" 2>/dev/null) || return 1
    [ -n "$mask" ] && (((16#$mask >> 14) & 1))
}
run_and_end() {
    local after=$1 home=$work/home-$1
    mkdir -p "$home/config" "$home/data"
    XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data "$prefix/bin/sonivard" >"$work/run.log" 2>&1 &
    local pid=$! rc
    # From the moment the program catches SIGTERM (before that the signal's
    # default action would end it), then `after` seconds more.
    for ((i = 0; i < 300; i++)); do
        catches_term "$pid" && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    sleep "$after"
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid" && rc=0 || rc=$?
        echo "the installed program ended by itself (exit $rc):"
        cat "$work/run.log"
        return 1
    fi
    kill -TERM "$pid"
    for ((i = 0; i < 400; i++)); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        kill -KILL "$pid"
        wait "$pid" 2>/dev/null || true
        echo "the installed program did not end within 40 s of SIGTERM (sent after $after s)"
        return 1
    fi
    wait "$pid" && rc=0 || rc=$?
    [ "$rc" = 0 ] || { echo "the installed program ended with $rc on SIGTERM:"; cat "$work/run.log"; return 1; }
}
run_and_end 0
run_and_end "${SV_INSTALL_CHECK_SECONDS:-4}"
echo "passed: $prefix/bin/sonivard started and ended cleanly"
