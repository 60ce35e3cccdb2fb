#!/usr/bin/env bash
# Types into an untitled document and, before the journal's pause has passed,
# asks the program to end with a signal (TERM: kill, a service manager; HUP: the
# terminal it was started from closed). The program writes what was typed and
# ends without a question; the next start offers it, and saving it gives
# exactly what was typed.
# Usage: recover_after_signal.sh PROGRAM TERM|HUP
set -euo pipefail
program="$(realpath "$1")"
signal="$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$(dirname "$0")/quiet_profile.sh"
export WORK="$work" PROGRAM="$program" SIGNAL="$signal"

timeout 120 xvfb-run -a -n "$((100 + RANDOM % 5000))" -s '-screen 0 1280x900x24 -noreset' bash -c '
set -euo pipefail
log="$WORK/out.txt"
pid=""
trap '"'"'if [ -n "$pid" ]; then kill -9 "$pid" 2>/dev/null || true; fi'"'"' EXIT
. "$E2E_STEPS"

poll "the display" display_up
"$PROGRAM" >>"$log" 2>&1 & pid=$!
focus Tagloom
keys ctrl+n
text "typed before the signal"
# Well inside the pause after which an entry is written by itself.
sleep 0.2
kill -"$SIGNAL" "$pid"
poll "the program to end" ended
status=0
wait "$pid" || status=$?
pid=""
# Its own exit, not death by the signal: 128 + the signal number either way,
# so the proof is the entry it wrote.
echo "exit status $status" >>"$log"

"$PROGRAM" >>"$log" 2>&1 & pid=$!
focus Recover
keys Return
poll "the recovery dialog to close" gone Recover
focus Tagloom
keys ctrl+s
focus "Save As"
text "$WORK/saved.html"
keys Return
poll "the document saved" holds "$WORK/saved.html" "typed before the signal"
# Keys sent while the dialog is still up would be refused by the main window.
poll "the Save As dialog to close" gone "Save As"
focus Tagloom
keys alt+f x
poll "the program to exit" ended
wait $pid || true
' || { cat "$work/out.txt" 2>/dev/null; exit 1; }

fail=0
got=$(cat "$work/saved.html" 2>/dev/null || echo "<missing>")
[ "$got" = "typed before the signal" ] || { echo "saved: expected [typed before the signal], got [$got]"; fail=1; }
left=$( (find "$XDG_DATA_HOME" "$XDG_STATE_HOME" -name "*.journal" 2>/dev/null || true) | wc -l)
[ "$left" = 0 ] || { echo "journal entries left: $left"; fail=1; }
[ $fail = 0 ] || { cat "$work/out.txt"; exit 1; }
echo "1 passed, 0 failed"
