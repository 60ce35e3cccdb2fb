#!/usr/bin/env bash
# Builds the fuzzers with clang into build-fuzz/ (the program and the tests are
# not built there) and runs each for the given seconds (default 60), as many at
# a time as there are cores.
# Usage: scripts/fuzz.sh [seconds] [fuzzer names...]
# TAGLOOM_FUZZ_BUILD=<dir> builds and runs the fuzzers of that build folder
# instead, one already configured with clang and the sanitizers (CI uses
# build-asan/, whose objects carry the fuzzers' coverage hooks already).
# Each fuzzer keeps what it found in <build>/fuzz/corpus/<name>/, so later
# runs start from there; crashes are written to <build>/fuzz/crashes/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
if [ -n "${TAGLOOM_FUZZ_BUILD:-}" ]; then
  build="$TAGLOOM_FUZZ_BUILD"
  cmake --build "$build" --target fuzzers
else
  build=build-fuzz
  TAGLOOM_TARGETS=fuzzers scripts/setup.sh "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
    -DTAGLOOM_BENCH=OFF
fi

out="$build/fuzz"
mkdir -p "$out/crashes" "$out/logs"
# The shipped files as first inputs for the readers of those files.
seed() {
  local corpus="$1"
  case "$(basename "$corpus")" in
    fuzz_color_rules_file) [ -e "$corpus/shipped" ] || cp data/Tagloom.colors "$corpus/shipped" ;;
    # Entry 1 with two parameters, then the file.
    fuzz_js_entries) [ -e "$corpus/shipped" ] || { printf '\001one~two~\000'; cat data/Tagloom.js; } >"$corpus/shipped" ;;
    # Regular expression in a UTF-8 text: options, pattern, replacement, text.
    fuzz_search) [ -e "$corpus/groups" ] || printf '\014<(/?)b>\000<\\1strong>\000<B>x</b>\r\n\303\251' >"$corpus/groups" ;;
  esac
}
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for f in "$out"/fuzz_*; do
    [ -f "$f" ] && [ -x "$f" ] && names+=("$(basename "$f")")
  done
fi
[ ${#names[@]} -gt 0 ] || { echo "No fuzzers in $out"; exit 1; }
jobs="$(nproc)"
failed=()
declare -A running=()
# Reaps one finished fuzzer: its summary, or its whole log if it failed.
reap() {
  local pid rc=0
  wait -n -p pid || rc=$?
  local name="${running[$pid]}"
  unset "running[$pid]"
  if [ $rc -ne 0 ]; then
    failed+=("$name")
    cat "$out/logs/$name.log"
    echo "== $name FAILED (exit $rc)"
  else
    echo "== $name: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$out/logs/$name.log" | grep -o '[0-9]*$') runs"
  fi
}
for name in "${names[@]}"; do
  [ -x "$out/$name" ] || { echo "No fuzzer $out/$name"; failed+=("$name"); continue; }
  corpus="$out/corpus/$name"
  mkdir -p "$corpus"
  seed "$corpus"
  while [ ${#running[@]} -ge "$jobs" ]; do reap; done
  echo "== $name, $seconds s"
  # Inputs up to 1 MB, so a reader that is quadratic in its input shows as a timeout.
  "$out/$name" -max_total_time="$seconds" -max_len=1048576 -timeout=25 -rss_limit_mb=4096 \
    -print_final_stats=1 -artifact_prefix="$out/crashes/$name-" "$corpus" >"$out/logs/$name.log" 2>&1 &
  running[$!]="$name"
done
while [ ${#running[@]} -gt 0 ]; do reap; done
if [ ${#failed[@]} -gt 0 ]; then
  echo "Fuzzers that failed: ${failed[*]} (inputs in $out/crashes/, logs in $out/logs/)"
  exit 1
fi
echo "All ${#names[@]} fuzzers ran."
