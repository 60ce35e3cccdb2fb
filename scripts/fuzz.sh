#!/usr/bin/env bash
# Builds the fuzzers with clang into build-fuzz/ (the program and the tests are
# not built there) and runs each for the given seconds (default 60).
# Usage: scripts/fuzz.sh [seconds] [fuzzer names...]
# Each fuzzer keeps what it found in build-fuzz/fuzz/corpus/<name>/, so later
# runs start from there; crashes are written to build-fuzz/fuzz/crashes/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
TAGLOOM_TARGETS=fuzzers scripts/setup.sh build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
  -DTAGLOOM_BENCH=OFF

out=build-fuzz/fuzz
mkdir -p "$out/crashes"
# The shipped files as first inputs for the readers of those files.
seed() {
  local corpus="$1"
  case "$(basename "$corpus")" in
    fuzz_color_rules_file) [ -e "$corpus/shipped" ] || cp data/Tagloom.colors "$corpus/shipped" ;;
    # Entry 1 with two parameters, then the file.
    fuzz_js_entries) [ -e "$corpus/shipped" ] || { printf '\001one~two~\000'; cat data/Tagloom.js; } >"$corpus/shipped" ;;
  esac
}
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for f in "$out"/fuzz_*; do
    [ -f "$f" ] && [ -x "$f" ] && names+=("$(basename "$f")")
  done
fi
failed=()
for name in "${names[@]}"; do
  corpus="$out/corpus/$name"
  mkdir -p "$corpus"
  seed "$corpus"
  echo "== $name, $seconds s"
  # Inputs up to 1 MB, so a reader that is quadratic in its input shows as a timeout.
  if ! "$out/$name" -max_total_time="$seconds" -max_len=1048576 -timeout=25 -rss_limit_mb=4096 \
       -print_final_stats=1 -artifact_prefix="$out/crashes/$name-" "$corpus"; then
    failed+=("$name")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "Fuzzers that failed: ${failed[*]} (inputs in $out/crashes/)"
  exit 1
fi
