#!/usr/bin/env bash
# Installs the Debian packages the build needs (only those missing), then
# configures and builds. Usage: scripts/setup.sh [build-dir] [extra cmake args...]
# TAGLOOM_TARGETS="a b" builds only those targets instead of everything.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake ninja-build pkg-config qt6-base-dev
          libjpeg-dev libgif-dev libgtest-dev libgmock-dev libbenchmark-dev clang
          libclang-rt-14-dev xvfb xauth fonts-dejavu-core chromium desktop-file-utils appstream man-db xdotool
          file dpkg-dev at-spi2-core dbus-daemon python3-pyatspi libpcre2-dev libtidy-dev)
# file and dpkg-dev (dpkg-shlibdeps): CPack's scan of the package's dependencies.
# at-spi2-core (the accessibility bus), dbus-daemon (dbus-run-session) and
# python3-pyatspi: the screen reader tests. libpcre2-dev: regular expressions;
# libtidy-dev: the page checks.
scripts/install-packages.sh "${packages[@]}"

dir="${1:-build}"
shift || true
# Warnings are errors in our own builds; a plain cmake build leaves them warnings.
# A compiler cache, where one is installed, spares rebuilding what did not change.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$dir" -G Ninja -DTAGLOOM_WERROR=ON "${launcher[@]}" "$@" >/dev/null
targets=()
for t in ${TAGLOOM_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$dir" "${targets[@]}"
