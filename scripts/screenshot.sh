#!/usr/bin/env bash
# Renders the main window with a sample library to docs/screenshot.png and, where the shared MIB
# collection is present, partial selection on an import of HOST-RESOURCES-MIB to
# docs/partial-selection.png (offscreen, no display needed).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake -S . -B "$build" -G Ninja
cmake --build "$build" --target screenshot_tool oidwright-import
mkdir -p docs
QT_QPA_PLATFORM=offscreen "$build/bin/screenshot_tool" tests/data/app/sample.oidlib docs/screenshot.png \
  "Interfaces|Traffic|In Octets"
echo "wrote docs/screenshot.png"

mib=../shared/mibs/HOST-RESOURCES-MIB.mib
if [ -f "$mib" ]; then
  library=$(mktemp --suffix=.oidlib)
  "$build/bin/oidwright-import" "$mib" -o "$library" >/dev/null
  agent="HOST-RESOURCES-MIB"
  QT_QPA_PLATFORM=offscreen "$build/bin/screenshot_tool" "$library" docs/partial-selection.png --partial \
    "$agent|hr storage: #[1.3.6.1.2.1.25.2.3.1.1]" "$agent|hr system|hr system uptime" \
    "$agent|hr system|hr system processes" "$agent|hr processor: #[1.3.6.1.2.1.25.3.2.1.3]"
  rm -f "$library"
  echo "wrote docs/partial-selection.png"
fi
