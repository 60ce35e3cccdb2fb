#!/usr/bin/env bash
# Types into an untitled document and into an opened file, kills the program
# outright once the journal holds both, starts it again, accepts the recovery,
# saves both documents and checks that the files hold exactly what was typed.
set -euo pipefail
program="$(realpath "$1")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/share" XDG_STATE_HOME="$work/state"
export TAGLOOM_DATA_FOLDER="$work/data"
mkdir -p "$TAGLOOM_DATA_FOLDER" "$XDG_CONFIG_HOME/Tagloom"
cp "$(dirname "$program")/Tagloom.colors" "$TAGLOOM_DATA_FOLDER/"
printf '[Misc]\nShow%%20splash%%20screen=0\nInsert%%20all%%20document%%20structure%%20tags%%20when%%20opening%%20a%%20new%%20document=0\n' \
    > "$XDG_CONFIG_HOME/Tagloom/Tagloom.conf"
printf '<p>old</p>' > "$work/page.html"
export WORK="$work" PROGRAM="$program"

# Display numbers searched from a random start: runs started together from :99
# can pick the same one and lose it. No reset: by default the server resets when
# its last client leaves (a probe, a killed program), and a program connecting
# during that reset is refused.
timeout 120 xvfb-run -a -n "$((100 + RANDOM % 5000))" -s '-screen 0 1280x900x24 -noreset' bash -c '
set -euo pipefail
log="$WORK/out.txt"
pid=""
trap '"'"'if [ -n "$pid" ]; then kill -9 "$pid" 2>/dev/null || true; fi'"'"' EXIT
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

# Under load the virtual display may still be starting.
poll "the display" display_up
"$PROGRAM" >>"$log" 2>&1 & pid=$!
focus Tagloom
keys ctrl+n
text "untitled words"
keys ctrl+o
focus Open
text "$WORK/page.html"
keys Return
# Keys sent while the dialog is still up would be refused by the main window.
poll "the Open dialog to close" gone Open
focus Tagloom
keys ctrl+End
text " file words"
# Killed once both documents are safe in the journal.
poll "the untitled document in the journal" journaled "untitled words"
poll "the file in the journal" journaled "<p>old</p> file words"
kill -9 $pid
wait $pid 2>/dev/null || true

"$PROGRAM" >>"$log" 2>&1 & pid=$!
focus Recover
keys Return
poll "the recovery dialog to close" gone Recover
focus Tagloom
keys ctrl+s          # the opened file, the last one typed into, is active
poll "the file saved" holds "$WORK/page.html" "<p>old</p> file words"
keys alt+f x         # exit: the untitled document asks to be saved
focus Warning
keys Return          # Yes
focus "Save As"
text "$WORK/untitled.html"
keys Return
poll "the program to exit" ended
wait $pid || true
' || { cat "$work/out.txt" 2>/dev/null; exit 1; }

fail=0
check() {
    local got
    got=$(cat "$1" 2>/dev/null || echo "<missing>")
    [ "$got" = "$2" ] || { echo "$1: expected [$2], got [$got]"; fail=1; }
}
check "$work/page.html" "<p>old</p> file words"
check "$work/untitled.html" "untitled words"
# A clean exit leaves no journal behind.
left=$( (find "$XDG_DATA_HOME" "$XDG_STATE_HOME" -name "*.journal" 2>/dev/null || true) | wc -l)
[ "$left" = 0 ] || { echo "journal entries left: $left"; fail=1; }
[ $fail = 0 ] || { cat "$work/out.txt"; exit 1; }
echo "1 passed, 0 failed"
