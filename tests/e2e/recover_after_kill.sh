#!/usr/bin/env bash
# Types into an untitled document and into an opened file, kills the program
# outright 1.5 s after the last key, starts it again, accepts the recovery,
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

timeout 120 xvfb-run -a -s '-screen 0 1280x900x24' bash -c '
set -euo pipefail
log="$WORK/out.txt"
pid=""
trap '"'"'if [ -n "$pid" ]; then kill -9 "$pid" 2>/dev/null || true; fi'"'"' EXIT
# Waits for a window whose title matches, and gives it the keyboard.
focus() {
    local w
    for _ in $(seq 100); do
        w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1) && [ -n "$w" ] && break
        sleep 0.1
    done
    if [ -z "$w" ]; then
        echo "no window \"$1\"; windows:"; xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null || true
        [ -z "${SHOT:-}" ] || import -window root "$SHOT"
        return 1
    fi
    xdotool windowfocus --sync "$w"
    sleep 0.3
}
keys() { xdotool key --delay 60 "$@"; sleep 0.3; }
text() { xdotool type --delay 40 "$1"; }

"$PROGRAM" >>"$log" 2>&1 & pid=$!
focus Tagloom
keys ctrl+n
text "untitled words"
keys ctrl+o
focus Open
text "$WORK/page.html"
keys Return
sleep 0.5
focus Tagloom
keys ctrl+End
text " file words"
sleep 1.5
kill -9 $pid
wait $pid 2>/dev/null || true

"$PROGRAM" >>"$log" 2>&1 & pid=$!
focus Recover
keys Return
sleep 0.5
focus Tagloom
keys ctrl+s          # the opened file, the last one typed into, is active
keys alt+f x         # exit: the untitled document asks to be saved
focus Warning
keys Return          # Yes
focus "Save As"
text "$WORK/untitled.html"
keys Return
for _ in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
kill -0 $pid 2>/dev/null && { echo "program did not exit"; exit 1; }
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
