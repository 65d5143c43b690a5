#!/usr/bin/env bash
# Renders the README's pictures offscreen (no display needed): the main window with a sample
# library to docs/screenshot.png, the about box to docs/aboutbox.png and, where chromium is
# installed, the help page to docs/helppage.png.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake -S . -B "$build" -G Ninja
cmake --build "$build" --target screenshot_tool aboutshot_tool
mkdir -p docs
QT_QPA_PLATFORM=offscreen "$build/bin/screenshot_tool" tests/data/app/sample.oidlib docs/screenshot.png \
  "Interfaces|Traffic|In Octets"
echo "wrote docs/screenshot.png"
QT_QPA_PLATFORM=offscreen "$build/bin/aboutshot_tool" docs/aboutbox.png
echo "wrote docs/aboutbox.png"
if command -v chromium > /dev/null; then
  chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --window-size=1000,1400 \
    --screenshot="$PWD/docs/helppage.png" "file://$PWD/data/doc/VeltraneOidwright.htm" 2> /dev/null
  echo "wrote docs/helppage.png"
else
  echo "docs/helppage.png not rendered: chromium is not installed (apt-get install chromium)"
fi
