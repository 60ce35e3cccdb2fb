#!/usr/bin/env bash
# The desktop entry, the AppStream metainfo and the man page pass the checkers
# that software centres and Debian's tools apply.
set -euo pipefail
dist="$1"
passed=0
failed=0
check() {
  local name="$1"
  shift
  if out=$("$@" 2>&1); then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $name"
    echo "$out"
  fi
}
check desktop-entry desktop-file-validate "$dist/org.tagloom.Tagloom.desktop"
# --no-net: CI may not reach the homepage; the file itself is what is checked.
check metainfo appstreamcli validate --no-net "$dist/org.tagloom.Tagloom.metainfo.xml"
# man prints its formatter's warnings on stderr and still succeeds, so any output fails.
man_warnings() {
  local w
  w=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$dist/tagloom.1" 2>&1 >/dev/null)
  [ -z "$w" ] || { echo "$w"; return 1; }
}
check man-page man_warnings
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
