# Sourced by the screenshot scripts (needs x11-utils: xwininfo, xprop).

# The window whose role (the window's object name) is $1, or nothing.
window_of() {
    local id
    for id in $(xwininfo -root -tree | awk '/^ +0x/ {print $1}'); do
        if xprop -id "$id" WM_WINDOW_ROLE 2>/dev/null | grep -q "\"$1\""; then
            echo "$id"
            return
        fi
    done
}
