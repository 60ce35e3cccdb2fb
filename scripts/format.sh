#!/usr/bin/env bash
# Formats our C++ (src/, tests/, bench/, fuzz/; never third_party/) by .clang-format
# with Debian 12's clang-format. Usage: scripts/format.sh [--check]
# --check changes nothing: it lists the files that differ and fails if there are any.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh clang-format
check=0
case "${1:-}" in
  --check) check=1 ;;
  "") ;;
  *) echo "Usage: scripts/format.sh [--check]" >&2; exit 2 ;;
esac
# The files git knows, so build folders and stray copies are left alone.
mapfile -t files < <(git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' \
                                     'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h')
# A style file clang-format cannot read would make every file look formatted.
clang-format --style=file --dump-config src/main.cpp >/dev/null
if [ $check -eq 0 ]; then
  printf '%s\0' "${files[@]}" | xargs -0 -n 50 clang-format -i --style=file
  exit 0
fi
# One run over all files: each that would change is reported with its name first.
mapfile -t differ < <(printf '%s\0' "${files[@]}" |
  xargs -0 -n 50 clang-format --style=file --dry-run --ferror-limit=1 2>&1 |
  sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: \(warning\|error\): code should be clang-formatted.*/\1/p' | sort -u)
if [ ${#differ[@]} -gt 0 ]; then
  echo "Not formatted as .clang-format says (run scripts/format.sh):"
  printf '  %s\n' "${differ[@]}"
  exit 1
fi
echo "All ${#files[@]} files are formatted."
