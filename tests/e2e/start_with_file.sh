#!/usr/bin/env bash
# Starts the real program on a virtual display with a file argument and checks
# that it opened the file in a document window and stays up.
set -euo pipefail
program="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/share" TAGLOOM_DATA_FOLDER="$work/data" TAGLOOM_REPORT_FILE="$work/report.txt"
mkdir -p "$TAGLOOM_DATA_FOLDER"
cp "$(dirname "$program")/Tagloom.colors" "$TAGLOOM_DATA_FOLDER/"
printf '<HTML>\n<BODY>hello</BODY>\n</HTML>\n' > "$work/page.HTML"
# The program writes the captions of its document windows to the report file once started.
# Display numbers searched from a random start: runs started together from :99
# can pick the same one and lose it.
timeout 60 xvfb-run -a -n "$((100 + RANDOM % 5000))" "$program" "$work/page.HTML" >"$work/out.txt" 2>&1 || { cat "$work/out.txt"; exit 1; }
grep -qF "$work/page.HTML" "$work/report.txt" || { echo "document not opened"; cat "$work/report.txt" "$work/out.txt"; exit 1; }
echo "1 passed, 0 failed"
