#!/usr/bin/env bash
# Cross-builds the command-line programs for 64-bit Windows with Debian's mingw-w64 and packs
# oidwright-import.exe and oidwright-check.exe with stdmib\, replacelist.txt and the help page
# into BUILD_DIR/oidwright-VERSION-windows-x64.zip. The window needs Qt for Windows, which Debian
# does not build: it is not part of this build (README, "Windows").
# Usage: scripts/build-windows.sh [BUILD_DIR [extra cmake arguments...]]
#   -DOIDWRIGHT_TESTS=ON also builds the core's tests, to run under wine64 (scripts/test-windows.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-windows}
shift || true
scripts/install-deps.sh
cmake -S . -B "$build" -G Ninja --toolchain "$PWD/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DOIDWRIGHT_GUI=OFF -DOIDWRIGHT_AGENT=OFF -DOIDWRIGHT_TESTS=OFF "$@"
cmake --build "$build"
(cd "$build" && cpack -G ZIP > cpack.log) || { echo "cpack failed, see $build/cpack.log" >&2; exit 1; }
ls "$build"/oidwright-*-windows-x64.zip
