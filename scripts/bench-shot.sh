# Sourced by the screenshot scripts that photograph a bench or demo program's
# window under Xvfb; they run from the repository's root.

# The small generated collection that the windows show (make_collection
# makes it on first use).
collection="build/screenshot-collection"
# The Xvfb screen's size; SV_SCREEN sets it, a script may set it after sourcing.
shot_screen="${SV_SCREEN:-1280x800}"

# Builds everything when build/bin/$1 or the skins are missing.
build_if_missing() {
    if [ ! -x "build/bin/$1" ] || [ ! -d "build/bin/Skins/Fun Blue" ]; then
        scripts/build.sh
    fi
}

# Makes $collection unless it is there.
make_collection() {
    if [ ! -d "$collection" ]; then
        /usr/bin/python3 "${SV_MAKE_CORPUS:-../shared/bench/make_corpus.py}" "$collection" 24 --seconds 1 >/dev/null
    fi
}

# Runs build/bin/$1 with the remaining arguments on an Xvfb screen of
# $shot_screen at 96 dpi, with the xcb platform and the build's bin folder.
run_on_xvfb() {
    local program="$1"
    shift
    xvfb-run -a -s "-screen 0 ${shot_screen}x24 -dpi 96" \
        env QT_QPA_PLATFORM=xcb SV_BIN_DIR="$PWD/build/bin" "build/bin/$program" "$@"
}
