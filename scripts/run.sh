#!/usr/bin/env bash
# Builds what is missing and starts the editor with the given files.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build
exec build/tagloom "$@"
