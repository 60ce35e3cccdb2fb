#!/usr/bin/env bash
# A user's session with a 50 MB page: the real program started with the file on
# a virtual display, Ctrl+End, a few typed keys, Ctrl+S; the file on disk must
# then be the old bytes followed by exactly the typed text.
# Usage: big_document.sh <program> [size-in-bytes]
set -euo pipefail
program="$1"
size="${2:-52428800}"
command -v xdotool >/dev/null || { echo "xdotool missing (scripts/setup.sh installs it)"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/share" TAGLOOM_DATA_FOLDER="$work/data"
mkdir -p "$TAGLOOM_DATA_FOLDER"
cp "$(dirname "$program")/Tagloom.colors" "$TAGLOOM_DATA_FOLDER/"

page="$work/big.html"
yes $'<TR><TD CLASS="cell">Some text &amp; more</TD><TD><A HREF="page.html">link</A></TD></TR>\r' \
    | head -c "$size" >"$page" || true
cp "$page" "$work/expected"
printf 'typed' >>"$work/expected"

cat >"$work/session.sh" <<'EOF'
#!/usr/bin/env bash
set -euo pipefail
program="$1" page="$2" expected="$3"
# Under load the virtual display may still be starting.
for _ in $(seq 1 300); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
"$program" "$page" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
start=$(date +%s.%N)
# Like a user, wait for the page to show: the program has used no CPU for a
# second (bounded), then its main window (not the splash screen) is there.
ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
sleep 0.5
last=$(ticks) still=0
for _ in $(seq 1 1200); do
    [ "$still" -ge 4 ] && break
    kill -0 "$pid" 2>/dev/null || { echo "the program ended"; exit 1; }
    sleep 0.25
    now=$(ticks)
    if [ "$now" = "$last" ]; then still=$((still + 1)); else still=0; fi
    last=$now
done
win=""
for _ in $(seq 1 300); do
    win=$(xdotool search --onlyvisible --pid "$pid" --name '^Tagloom' 2>/dev/null | tail -1) || true
    [ -n "$win" ] && break
    sleep 0.1
done
[ -n "$win" ] || { echo "no window"; exit 1; }
xdotool windowfocus --sync "$win"
xdotool key --delay 50 ctrl+End
xdotool type --delay 50 typed
xdotool key --delay 50 ctrl+s
want=$(stat -c %s "$expected")
for _ in $(seq 1 1200); do
    if [ "$(stat -c %s "$page")" = "$want" ] && cmp -s "$page" "$expected"; then
        awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN { printf "saved %.1f s after the start\n", e - s }'
        exit 0
    fi
    sleep 0.1
done
echo "the file does not hold the typed text"
ls -l "$page" "$expected"
cmp "$page" "$expected" || true
tail -c 40 "$page" | od -c | tail -3
exit 1
EOF
chmod +x "$work/session.sh"
# Display numbers searched from a random start: runs started together from :99
# can pick the same one and lose it.
timeout 300 xvfb-run -a -n "$((100 + RANDOM % 5000))" -s '-screen 0 1280x900x24' "$work/session.sh" "$program" "$page" "$work/expected"
echo "1 passed, 0 failed"
