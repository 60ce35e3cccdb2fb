#!/usr/bin/env bash
# Runs clang-tidy (.clang-tidy) on the .cpp files of src/, tests/, bench/ and
# fuzz/ that the last commit changed (its diff against its first parent; none
# without a parent), with the compile commands of a configured build folder,
# and fails on any finding. Usage: scripts/tidy.sh [build-dir] [files...]
# Files named on the command line are checked instead (e.g. $(git ls-files 'src/*.cpp')).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh clang-tidy
dir="${1:-build}"
shift || true
db="$dir/compile_commands.json"
[ -f "$db" ] || { echo "tidy: no $db; configure $dir first (scripts/setup.sh $dir)" >&2; exit 1; }
files=("$@")
if [ ${#files[@]} -eq 0 ]; then
  if git rev-parse -q --verify HEAD^1 >/dev/null; then
    mapfile -t files < <(git diff --name-only --diff-filter=d HEAD^1 HEAD -- \
                           'src/*.cpp' 'tests/*.cpp' 'bench/*.cpp' 'fuzz/*.cpp')
  fi
fi
# A file the build folder does not compile (a fuzzer in a gcc build) has no flags to check it with.
checked=()
for f in "${files[@]}"; do
  if grep -qF "\"file\": \"$PWD/$f\"" "$db"; then
    checked+=("$f")
  else
    echo "tidy: $f is not compiled in $dir, not checked"
  fi
done
if [ ${#checked[@]} -eq 0 ]; then
  echo "tidy: no changed .cpp files to check."
  exit 0
fi
echo "tidy: checking ${checked[*]}"
# clang-tidy counts the warnings it hid in Qt's headers; only the findings matter.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
printf '%s\0' "${checked[@]}" | xargs -0 -n 1 -P "$(nproc)" clang-tidy -p "$dir" --quiet >"$log" 2>&1 || status=$?
grep -v '^[0-9]* warnings\? \(and [0-9]* errors\? \)\?generated\.$' "$log" || true
[ $status -eq 0 ] || { echo "tidy: findings above (see .clang-tidy)" >&2; exit 1; }
echo "tidy: no findings in ${#checked[@]} files."
