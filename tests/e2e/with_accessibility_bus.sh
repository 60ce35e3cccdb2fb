#!/usr/bin/env bash
# Runs a command as it runs on a desktop with a screen reader: on a virtual
# display, with a session bus (dbus-run-session) and the accessibility bus
# (at-spi-bus-launcher), on Qt's X11 platform with its accessibility on.
# Usage: with_accessibility_bus.sh <command> [args...]
set -euo pipefail
launcher=/usr/libexec/at-spi-bus-launcher
for tool in xvfb-run dbus-run-session dbus-send; do
    command -v "$tool" >/dev/null || { echo "$tool missing (scripts/setup.sh installs it)"; exit 1; }
done
[ -x "$launcher" ] || { echo "at-spi-bus-launcher missing (Debian's at-spi2-core; scripts/setup.sh installs it)"; exit 1; }

inner=$(mktemp)
trap 'rm -f "$inner"' EXIT
cat >"$inner" <<'INNER'
#!/usr/bin/env bash
set -euo pipefail
# Asking for the accessibility bus's address starts at-spi-bus-launcher (the
# session bus activates it), which starts the bus; it ends with the session.
address=""
for _ in $(seq 1 50); do
    address=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress 2>/dev/null) && break
    sleep 0.2
done
[ -n "$address" ] || { echo "the accessibility bus did not start"; exit 1; }
# Under load the virtual display may still be starting.
if command -v xdotool >/dev/null; then
    for _ in $(seq 1 300); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
fi
"$@"
INNER
chmod +x "$inner"
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LANG=C.UTF-8
# A display number from a random start, no server reset (see type_at_end.sh).
# The session bus complains that it may not raise its file limit: harmless.
xvfb-run -a -n "$((100 + RANDOM % 5000))" -s '-screen 0 1280x900x24 -noreset' \
    dbus-run-session -- "$inner" "$@" 2> >(grep -v 'Failed to set fd limit' >&2)
