#!/usr/bin/env bash
# A user's session with a big page: the real program started with the file on a
# virtual display, Ctrl+End, a few typed keys, Ctrl+S, then File > Exit. The file
# on disk must be the old bytes followed by exactly the typed text, and the
# program must end by itself (the page is saved, so closing asks nothing).
# Usage: type_at_end.sh <program> <page kind> [size]
#   lines    CR LF lines of table markup, size bytes (default 50 MB)
#   empty    size empty CR LF lines (default 10 million)
#   oneline  one line of markup with some UTF-8 and no line break, size bytes (default 50 MB)
set -euo pipefail
program="$(realpath "$1")"
kind="$2"
command -v xdotool >/dev/null || { echo "xdotool missing (scripts/setup.sh installs it)"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/share" XDG_STATE_HOME="$work/state"
export TAGLOOM_DATA_FOLDER="$work/data"
mkdir -p "$TAGLOOM_DATA_FOLDER"
cp "$(dirname "$program")/Tagloom.colors" "$TAGLOOM_DATA_FOLDER/"

page="$work/page.html"
case "$kind" in
lines)
    yes $'<TR><TD CLASS="cell">Some text &amp; more</TD><TD><A HREF="page.html">link</A></TD></TR>\r' \
        | head -c "${3:-52428800}" >"$page" || true ;;
empty)
    yes $'\r' | head -c $((${3:-10000000} * 2)) >"$page" || true ;;
oneline)
    yes '<tr><td class="cell">Some text &amp; caf&eacute; café</td><td><a href="page.html">link</a></td></tr>' \
        | tr -d '\n' | head -c "${3:-52428800}" >"$page" || true
    printf '</table>' >>"$page"
    [ "$(tr -cd '\n\r' <"$page" | wc -c)" = 0 ] || { echo "the page has a line break"; exit 1; } ;;
*) echo "unknown page kind: $kind"; exit 2 ;;
esac
cp "$page" "$work/expected"
printf 'typed' >>"$work/expected"

cat >"$work/session.sh" <<'INNER'
#!/usr/bin/env bash
set -euo pipefail
program="$1" page="$2" expected="$3"
# Under load the virtual display may still be starting.
for _ in $(seq 1 300); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
"$program" "$page" &
pid=$!
trap 'kill -9 $pid 2>/dev/null || true' EXIT
start=$(date +%s.%N)
say() { awk -v s="$start" -v e="$(date +%s.%N)" -v m="$1" 'BEGIN { printf "%s %.1f s after the start\n", m, e - s }'; }
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
say "shown"
xdotool windowfocus --sync "$win"
xdotool key --delay 50 ctrl+End
xdotool type --delay 50 typed
xdotool key --delay 50 ctrl+s
want=$(stat -c %s "$expected")
saved=0
for _ in $(seq 1 1200); do
    if [ "$(stat -c %s "$page")" = "$want" ] && cmp -s "$page" "$expected"; then saved=1; break; fi
    sleep 0.1
done
if [ "$saved" != 1 ]; then
    echo "the file does not hold the typed text"
    ls -l "$page" "$expected"
    cmp "$page" "$expected" || true
    tail -c 40 "$page" | od -c | tail -3
    exit 1
fi
say "saved"
xdotool windowfocus --sync "$win" 2>/dev/null || true
xdotool key --delay 100 alt+f x
for _ in $(seq 1 600); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then echo "the program did not end after File > Exit"; exit 1; fi
wait "$pid" || { echo "the program failed on exit"; exit 1; }
say "closed"
cmp "$page" "$expected" || { echo "closing changed the file"; exit 1; }
INNER
chmod +x "$work/session.sh"
# Display numbers searched from a random start: runs started together from :99
# can pick the same one and lose it. No reset: by default the server resets when
# its last client leaves (a probe, a killed program), and a program connecting
# during that reset is refused.
timeout 300 xvfb-run -a -n "$((100 + RANDOM % 5000))" -s '-screen 0 1280x900x24 -noreset' "$work/session.sh" "$program" "$page" "$work/expected"
echo "1 passed, 0 failed"
