#!/usr/bin/env bash
# shellcheck disable=SC2015  # "check && ok || fail": ok never fails
# Installs the build into a temporary prefix and starts the installed program
# the way a desktop would: without a data-folder override, on a virtual display,
# with a file argument. The shipped colour rules must reach the user's data
# folder on first run and colour the document; the user's own rules must survive
# the next run.
set -euo pipefail
build="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
passed=0
failed=0
fail() { failed=$((failed + 1)); echo "FAILED: $*"; }
ok() { passed=$((passed + 1)); }

cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; exit 1; }

for f in bin/tagloom share/tagloom/Tagloom.colors \
         share/applications/org.tagloom.Tagloom.desktop share/metainfo/org.tagloom.Tagloom.metainfo.xml \
         share/icons/hicolor/scalable/apps/org.tagloom.Tagloom.svg share/icons/hicolor/16x16/apps/org.tagloom.Tagloom.png \
         share/icons/hicolor/256x256/apps/org.tagloom.Tagloom.png share/man/man1/tagloom.1.gz \
         share/doc/tagloom/copyright share/doc/tagloom/changelog.gz; do
  [ -f "$prefix/$f" ] && ok || fail "not installed: $f"
done

# The options answer without a display.
env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/tagloom" --version >"$work/version.txt" 2>&1 \
  && grep -q '^Tagloom [0-9]' "$work/version.txt" && grep -q 'GPL-3.0-or-later' "$work/version.txt" \
  && ok || { fail "--version"; cat "$work/version.txt"; }
env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/tagloom" --help >"$work/help.txt" 2>&1 \
  && grep -q '^Usage: tagloom' "$work/help.txt" && ok || { fail "--help"; cat "$work/help.txt"; }

# A fresh user: nothing in the settings or data folders yet.
unset TAGLOOM_DATA_FOLDER
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_DATA_HOME="$work/home/data"
export TAGLOOM_REPORT_FILE="$work/report.txt"
mkdir -p "$HOME"
printf '<HTML>\n<BODY>hello</BODY>\n</HTML>\n' >"$work/page.html"
user_rules="$XDG_DATA_HOME/Tagloom/Tagloom.colors"
shipped_rules="$prefix/share/tagloom/Tagloom.colors"
rule_count() { grep -vc '^;' "$1"; }

start() {
  rm -f "$TAGLOOM_REPORT_FILE"
  timeout 60 xvfb-run -a "$prefix/bin/tagloom" "$work/page.html" >"$work/out.txt" 2>&1 || { cat "$work/out.txt"; return 1; }
}

if start; then
  expected="$work/page.html	$(rule_count "$shipped_rules") colour rules"
  grep -qxF "$expected" "$work/report.txt" && ok || { fail "first run: expected '$expected'"; cat "$work/report.txt"; }
  cmp -s "$shipped_rules" "$user_rules" && ok || fail "first run: the shipped rules were not copied to $user_rules"
  # The mode bit, not access(): root may write anything.
  [ -n "$(find "$user_rules" -perm -u+w)" ] && ok || fail "the user's copy of the rules is not writable"
else
  fail "first run did not end normally"
fi

# The user's own rules are kept: the shipped file does not overwrite them.
{ grep '^;' "$shipped_rules"; grep -v '^;' "$shipped_rules" | head -3; } >"$work/mine.colors"
cp "$work/mine.colors" "$user_rules"
if start; then
  grep -qxF "$work/page.html	3 colour rules" "$work/report.txt" && ok || { fail "second run: the user's rules were not used"; cat "$work/report.txt"; }
  cmp -s "$work/mine.colors" "$user_rules" && ok || fail "second run: the user's rules were overwritten"
else
  fail "second run did not end normally"
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
