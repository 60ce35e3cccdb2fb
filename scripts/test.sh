#!/usr/bin/env bash
# Builds what is missing and runs every test. Usage: scripts/test.sh [build-dir] [extra cmake args...]
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${1:-build}"
shift || true
scripts/setup.sh "$dir" "$@"
cd "$dir"
ctest --output-on-failure -j2
