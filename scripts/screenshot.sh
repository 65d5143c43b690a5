#!/usr/bin/env bash
# Renders the main window with a sample library to docs/screenshot.png (offscreen, no display needed).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake -S . -B "$build" -G Ninja
cmake --build "$build" --target screenshot_tool
mkdir -p docs
QT_QPA_PLATFORM=offscreen "$build/bin/screenshot_tool" tests/data/app/sample.oidlib docs/screenshot.png \
  "Interfaces|Traffic|In Octets"
echo "wrote docs/screenshot.png"
