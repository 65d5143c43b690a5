#!/usr/bin/env bash
# Renders the README's pictures offscreen (no display needed): the main window with an import of
# IF-MIB as it comes (the sample library where the shared MIB collection is absent) to
# docs/screenshot.png, its Edit menu offering Undo to docs/edit-menu.png, the about box to docs/aboutbox.png, where the shared MIB
# collection is present partial selection on an import of HOST-RESOURCES-MIB to
# docs/partial-selection.png and, with snmpd installed as well, a live device check of IF-MIB,
# HOST-RESOURCES-MIB and UCD-SNMP-MIB to docs/device-check.png; where chromium is installed, the
# help page to docs/helppage.png.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake -S . -B "$build" -G Ninja
cmake --build "$build" --target screenshot_tool aboutshot_tool checkshot_tool oidwright-import
mkdir -p docs
if [ -f ../shared/mibs/IF-MIB.mib ]; then
  library=$(mktemp --suffix=.oidlib)
  "$build/bin/oidwright-import" -q ../shared/mibs/IF-MIB.mib -o "$library" 2> /dev/null
  QT_QPA_PLATFORM=offscreen "$build/bin/screenshot_tool" "$library" docs/screenshot.png \
    "IF-MIB|if: #[1.3.6.1.2.1.2.2.1.1]|if in octets"
  rm -f "$library"
else
  QT_QPA_PLATFORM=offscreen "$build/bin/screenshot_tool" tests/data/app/sample.oidlib docs/screenshot.png \
    "Interfaces|Traffic|In Octets"
fi
echo "wrote docs/screenshot.png"
QT_QPA_PLATFORM=offscreen "$build/bin/screenshot_tool" tests/data/app/sample.oidlib docs/edit-menu.png \
  "Interfaces|Traffic|In Octets" --edit-menu
echo "wrote docs/edit-menu.png"
QT_QPA_PLATFORM=offscreen "$build/bin/aboutshot_tool" docs/aboutbox.png
echo "wrote docs/aboutbox.png"
if command -v chromium > /dev/null; then
  chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --window-size=1000,1400 \
    --screenshot="$PWD/docs/helppage.png" "file://$PWD/data/doc/VeltraneOidwright.htm" 2> /dev/null
  echo "wrote docs/helppage.png"
else
  echo "docs/helppage.png not rendered: chromium is not installed (apt-get install chromium)"
fi
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
mibs=../shared/mibs
if [ -f "$mibs/IF-MIB.mib" ] && [ -x /usr/sbin/snmpd ]; then
  library=$(mktemp --suffix=.oidlib)
  "$build/bin/oidwright-import" -q "$mibs/IF-MIB.mib" "$mibs/HOST-RESOURCES-MIB.mib" "$mibs/UCD-SNMP-MIB.mib" \
    -o "$library"
  agent="HOST-RESOURCES-MIB"
  QT_QPA_PLATFORM=offscreen "$build/bin/checkshot_tool" "$library" docs/device-check.png "$agent|hr system" \
    "$agent|hr storage: #[1.3.6.1.2.1.25.2.3.1.1]" "$agent|hr disk storage: #[1.3.6.1.2.1.25.3.2.1.3]" \
    "$agent|hr printer: #[1.3.6.1.2.1.25.3.2.1.3]"
  rm -f "$library"
  echo "wrote docs/device-check.png"
else
  echo "docs/device-check.png not rendered: it needs $mibs and snmpd (apt-get install snmpd)"
fi
