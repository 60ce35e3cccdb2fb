# Steps shared by the end-to-end runs that drive the real program on a virtual
# display with xdotool. Sourced inside the display's shell, which sets `pid`
# (the program's process) and `log`.
# Every wait below is on something the program shows or writes, polled every
# 0.1 s for at most 30 s, so a slow machine only makes the run slower.
poll() {  # poll <what> <command...>: until the command succeeds
    local what="$1"
    shift
    for _ in $(seq 300); do
        "$@" && return 0
        sleep 0.1
    done
    echo "timed out waiting for $what; windows:"
    xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null || true
    [ -z "${SHOT:-}" ] || import -window root "$SHOT"
    return 1
}
window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1; }
# A window is there; a program that ended is a failure at once.
shown() {
    kill -0 "$pid" 2>/dev/null || { echo "the program ended"; exit 1; }
    [ -n "$(window "$1")" ]
}
gone() { [ -z "$(window "$1")" ]; }
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
# Waits for a window whose title matches, and gives it the keyboard.
focus() {
    local w
    poll "window \"$1\"" shown "$1"
    w=$(window "$1")
    xdotool windowfocus --sync "$w"
    poll "the keyboard in \"$1\"" has_focus "$w"
}
# A journal entry of this run holds exactly this text at its end.
journaled() {
    local f
    for f in $(find "$XDG_DATA_HOME" "$XDG_STATE_HOME" -name "*.journal" 2>/dev/null); do
        [ "$(tail -c ${#1} "$f")" = "$1" ] && return 0
    done
    return 1
}
holds() { [ "$(cat "$1" 2>/dev/null)" = "$2" ]; }
ended() { ! kill -0 "$pid" 2>/dev/null; }
display_up() { xdotool getdisplaygeometry >/dev/null 2>&1; }
keys() { xdotool key --delay 60 "$@"; }
text() { xdotool type --delay 40 "$1"; }
