#!/usr/bin/env bash
# Checks the include rules that keep the folders free of cycles:
#   - foundation/ includes nothing of the other subsystems (only foundation/
#     and the generated resources/ headers);
#   - no file outside a ui/ folder includes a header from a ui/ folder, and
#     nothing of the program includes app/ (app/ui/, the composition root
#     that registers the windows and wires the tools together);
#   - taglib/ includes nothing of the program;
#   - a tool folder (coordinator, cataloguer, encoder, playlists, duplicates,
#     ripper) includes neither another tool's folder nor the main window's
#     scanning/ui/ (tools reach the results list through
#     scanning/engine/ScanResultsSource.h).  The File Information window and
#     the scan's service hooks, which every tool shares, still live in
#     scanning/ui/ and are the two headers allowed there;
#   - shell/ (start-up, skins, menus, the window bases) includes only
#     foundation/, shell/ and resources/, so no tool or dialog above it can
#     form a cycle through it.  The launcher bar's settings pair, still among
#     the window-state records in options/WindowSettings.h, is the one header
#     allowed.
# Prints every offending include as "file:line: #include ... (rule)" and
# exits 1 when there is one.  Usage: scripts/check-includes.sh [source root]
set -euo pipefail

root="${1:-$(cd "$(dirname "$0")/.." && pwd)}"
cd "$root"

# The program's source folders (top-level folders that hold its code).
program_dirs="app foundation taglib shell scanning coordinator playlists cataloguer duplicates encoder ripper options resources"
tool_dirs="coordinator cataloguer encoder playlists duplicates ripper"
shared_scanning_ui="scanning/ui/FileInfoDialog.h scanning/ui/WindowServices.h"
shell_allowed="options/WindowSettings.h"

existing=()
for d in $program_dirs; do [[ -d "$d" ]] && existing+=("$d"); done

if ! find "${existing[@]}" -type f \( -name '*.h' -o -name '*.hpp' -o -name '*.cpp' -o -name '*.c' \) -print0 | sort -z |
    xargs -0 awk -v dirs="$program_dirs" -v tools="$tool_dirs" -v shared="$shared_scanning_ui" -v shellAllowed="$shell_allowed" '
    BEGIN {
        n = split(dirs, list, " "); for (i = 1; i <= n; ++i) program[list[i]] = 1
        n = split(tools, list, " "); for (i = 1; i <= n; ++i) tool[list[i]] = 1
        n = split(shared, list, " "); for (i = 1; i <= n; ++i) sharedUi[list[i]] = 1
        n = split(shellAllowed, list, " "); for (i = 1; i <= n; ++i) shellOk[list[i]] = 1
        bad = 0
    }
    /^[ \t]*#[ \t]*include[ \t]*[<"]/ {
        target = $0
        sub(/^[ \t]*#[ \t]*include[ \t]*[<"]/, "", target)
        sub(/[>"].*$/, "", target)
        if (index(target, "/") == 0) next
        top = substr(target, 1, index(target, "/") - 1)
        if (!(top in program)) next
        file = FILENAME
        if (file ~ /^foundation\// && top != "foundation" && top != "resources")
            fail(file, FNR, $0, "foundation/ may include only foundation/ and resources/")
        if (file ~ /^shell\// && top != "foundation" && top != "shell" && top != "resources" && !(target in shellOk))
            fail(file, FNR, $0, "shell/ may include only foundation/, shell/ and resources/")
        if (file ~ /^taglib\//)
            fail(file, FNR, $0, "taglib/ includes nothing of the program")
        if (file !~ /\/ui\// && ("/" target) ~ /\/ui\//)
            fail(file, FNR, $0, "only files in a ui/ folder include ui/ headers")
        if (file !~ /^app\// && top == "app")
            fail(file, FNR, $0, "only app/ includes app/")
        own = substr(file, 1, index(file, "/") - 1)
        if ((own in tool) && (top in tool) && top != own)
            fail(file, FNR, $0, "a tool includes no other tool folder")
        if ((own in tool) && target ~ /^scanning\/ui\// && !(target in sharedUi))
            fail(file, FNR, $0, "a tool reaches the main window only through scanning/engine/ScanResultsSource.h")
    }
    function fail(file, line, text, rule) {
        printf "%s:%d: %s (%s)\n", file, line, text, rule
        ++bad
    }
    END {
        if (bad > 0) { printf "check-includes: %d include(s) break the folder rules\n", bad > "/dev/stderr"; exit 1 }
    }'; then
    exit 1
fi
echo "check-includes: OK"
