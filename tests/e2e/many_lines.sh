#!/usr/bin/env bash
# A page of 10 million empty lines (CR LF): the real program started with it on
# a virtual display, Ctrl+End, a few typed keys, Ctrl+S, then the program closed.
# The file must be the old bytes followed by exactly the typed text, and the
# program must exit by itself.
# Usage: many_lines.sh <program> [lines]
set -euo pipefail
program="$(realpath "$1")"
lines="${2:-10000000}"
command -v xdotool >/dev/null || { echo "xdotool missing (scripts/setup.sh installs it)"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/share" XDG_STATE_HOME="$work/state"
export TAGLOOM_DATA_FOLDER="$work/data"
mkdir -p "$TAGLOOM_DATA_FOLDER"
cp "$(dirname "$program")/Tagloom.colors" "$TAGLOOM_DATA_FOLDER/"

page="$work/lines.html"
yes $'\r' | head -c $((lines * 2)) >"$page" || true
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
# second, then its main window (not the splash screen) is there.
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
# Saved, so closing asks nothing: the program must end by itself.
xdotool windowfocus --sync "$win" 2>/dev/null || true
xdotool key --delay 50 alt+f x
for _ in $(seq 1 600); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then echo "the program did not exit"; exit 1; fi
wait "$pid" || { echo "the program failed on exit"; exit 1; }
say "closed"
cmp "$page" "$expected" || { echo "the file changed on exit"; exit 1; }
INNER
chmod +x "$work/session.sh"
# Display numbers searched from a random start: runs started together from :99
# can pick the same one and lose it.
timeout 300 xvfb-run -a -n "$((100 + RANDOM % 5000))" -s '-screen 0 1280x900x24' "$work/session.sh" "$program" "$page" "$work/expected"
echo "1 passed, 0 failed"
