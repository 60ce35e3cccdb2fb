#!/usr/bin/env bash
# What a screen reader reads: the real program started with a page of UTF-8
# (a character outside the BMP included) and CR LF lines, keys typed into it
# and the caret moved through real key presses; an AT-SPI client
# (python3-pyatspi) reads the editor's name, its text and the caret's offset.
# Offsets are Qt's, QString positions: the emoji counts two.
# Usage: screen_reader.sh <program>
set -euo pipefail
program="$(realpath "$1")"
here="$(dirname "$(realpath "$0")")"
command -v xdotool >/dev/null || { echo "xdotool missing (scripts/setup.sh installs it)"; exit 1; }
# Debian's own Python, which python3-pyatspi is for (another may come first on PATH).
python=/usr/bin/python3
"$python" -c 'import pyatspi' 2>/dev/null || { echo "python3-pyatspi missing (scripts/setup.sh installs it)"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/share" XDG_STATE_HOME="$work/state"
export TAGLOOM_DATA_FOLDER="$work/data"
mkdir -p "$TAGLOOM_DATA_FOLDER"
cp "$(dirname "$program")/Tagloom.colors" "$TAGLOOM_DATA_FOLDER/"
printf 'caf\xc3\xa9 \xf0\x9f\x98\x80 x\r\nline two\r\n' >"$work/page.html"

cat >"$work/read.py" <<'PY'
import sys, time
import pyatspi

def units(text):
    """Qt's offsets: UTF-16 code units."""
    return len(text.encode('utf-16-le')) // 2

def editor(name):
    for _ in range(200):
        for app in pyatspi.Registry.getDesktop(0):
            if app is None or app.name.lower() != 'tagloom':
                continue
            found = pyatspi.findDescendant(
                app, lambda a: a.getRoleName() == 'text' and a.name == name)
            if found is not None:
                return found
        time.sleep(0.1)
    sys.exit('no editor named %r among the accessible objects' % name)

name, what = sys.argv[1], sys.argv[2]
text = editor(name).queryText()
whole = text.getText(0, -1)
if what == 'text':
    print(whole.encode('utf-8').hex())
elif what == 'caret':
    print(text.caretOffset)
elif what == 'count':
    print(text.characterCount)
PY

cat >"$work/session.sh" <<'INNER'
#!/usr/bin/env bash
set -euo pipefail
program="$1" work="$2" python="$3"
"$program" "$work/page.html" &
pid=$!
trap 'kill -9 $pid 2>/dev/null || true' EXIT
read_it() { "$python" "$work/read.py" page.html "$1"; }
expect() {  # what, wanted, situation
    local got=""
    for _ in $(seq 1 50); do
        got=$(read_it "$1") && [ "$got" = "$2" ] && { echo "ok: $3: $1 $got"; return 0; }
        sleep 0.1
    done
    echo "FAIL: $3: $1 is $got, expected $2"
    exit 1
}
hex() { printf "$1" | od -An -tx1 | tr -d ' \n'; }
expect text "$(hex 'caf\xc3\xa9 \xf0\x9f\x98\x80 x\r\nline two\r\n')" "opened"
expect count 21 "opened"
# The editor is there, so the splash screen has gone: the main window is the one.
win=""
for _ in $(seq 1 300); do
    win=$(xdotool search --onlyvisible --pid "$pid" --name '^Tagloom' 2>/dev/null | tail -1) || true
    [ -n "$win" ] && break
    sleep 0.1
done
[ -n "$win" ] || { echo "no window"; exit 1; }
xdotool windowfocus --sync "$win"
xdotool key --delay 50 ctrl+End
xdotool type --delay 50 ab
expect text "$(hex 'caf\xc3\xa9 \xf0\x9f\x98\x80 x\r\nline two\r\nab')" "typed at the end"
expect caret 23 "typed at the end"
xdotool key --delay 50 ctrl+Home End
expect caret 9 "end of the first line"
xdotool key --delay 50 Left Left Left
expect caret 5 "before the emoji"
xdotool key --delay 50 Down End
expect caret 19 "end of the second line"
INNER
chmod +x "$work/session.sh"
timeout 300 "$here/with_accessibility_bus.sh" "$work/session.sh" "$program" "$work" "$python"
echo "1 passed, 0 failed"
