#!/usr/bin/env bash
# Types into an untitled document and into an opened file, kills the program
# outright once the journal holds both, starts it again, accepts the recovery,
# saves both documents and checks that the files hold exactly what was typed.
set -euo pipefail
program="$(realpath "$1")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$(dirname "$0")/quiet_profile.sh"
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
. "$E2E_STEPS"

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
