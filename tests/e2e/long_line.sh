#!/usr/bin/env bash
# A user's session with a 50 MB page that has no line break (minified HTML):
# the real program started with the file on a virtual display, Ctrl+End, a few
# typed keys, Ctrl+S, then File > Exit. The file on disk must then be the old
# bytes followed by exactly the typed text, and the program must end.
# Usage: long_line.sh <program> [size-in-bytes]
set -euo pipefail
program="$1"
size="${2:-52428800}"
command -v xdotool >/dev/null || { echo "xdotool missing (scripts/setup.sh installs it)"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/share" TAGLOOM_DATA_FOLDER="$work/data"
mkdir -p "$TAGLOOM_DATA_FOLDER"
cp "$(dirname "$program")/Tagloom.colors" "$TAGLOOM_DATA_FOLDER/"

# Some UTF-8 text in it too, so the end is not plain ASCII all along.
page="$work/long.html"
yes '<tr><td class="cell">Some text &amp; caf&eacute; café</td><td><a href="page.html">link</a></td></tr>' \
    | tr -d '\n' | head -c "$size" >"$page" || true
printf '</table>' >>"$page"
[ "$(tr -cd '\n\r' <"$page" | wc -c)" = 0 ] || { echo "the page has a line break"; exit 1; }
cp "$page" "$work/expected"
printf 'typed' >>"$work/expected"

cat >"$work/session.sh" <<'EOS'
#!/usr/bin/env bash
set -euo pipefail
program="$1" page="$2" expected="$3"
"$program" "$page" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
start=$(date +%s.%N)
# Like a user, wait for the page to show: until the program has used no CPU for a second.
ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
sleep 0.5
last=$(ticks) still=0
while [ "$still" -lt 4 ]; do
    sleep 0.25
    now=$(ticks)
    if [ "$now" = "$last" ]; then still=$((still + 1)); else still=0; fi
    last=$now
done
win=$(xdotool search --onlyvisible --pid "$pid" --name '^Tagloom' 2>/dev/null | tail -1) || true
[ -n "$win" ] || { echo "no window"; exit 1; }
xdotool windowfocus --sync "$win"
xdotool key --delay 50 ctrl+End
xdotool type --delay 50 typed
xdotool key --delay 50 ctrl+s
want=$(stat -c %s "$expected")
saved=0
for _ in $(seq 1 1200); do
    if [ "$(stat -c %s "$page")" = "$want" ] && cmp -s "$page" "$expected"; then
        saved=1
        break
    fi
    sleep 0.1
done
if [ "$saved" = 0 ]; then
    echo "the file does not hold the typed text"
    ls -l "$page" "$expected"
    cmp "$page" "$expected" || true
    tail -c 40 "$page" | od -c | tail -3
    exit 1
fi
awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN { printf "saved %.1f s after the start\n", e - s }'
# Saved and unmodified: File > Exit closes without a question.
closing=$(date +%s.%N)
xdotool key --delay 100 alt+f x
for _ in $(seq 1 600); do
    if ! kill -0 "$pid" 2>/dev/null; then
        awk -v s="$closing" -v e="$(date +%s.%N)" 'BEGIN { printf "closed %.1f s after File > Exit\n", e - s }'
        cmp -s "$page" "$expected" || { echo "closing changed the file"; exit 1; }
        exit 0
    fi
    sleep 0.1
done
echo "the program did not end after File > Exit"
exit 1
EOS
chmod +x "$work/session.sh"
timeout 300 xvfb-run -a -s '-screen 0 1280x900x24' "$work/session.sh" "$program" "$page" "$work/expected"
echo "1 passed, 0 failed"
