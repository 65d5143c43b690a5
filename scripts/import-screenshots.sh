#!/usr/bin/env bash
# Renders the parse error window (a real module with one broken line), the import log window
# (a real module imported cleanly) and the question of a second import of it to docs/, offscreen.
# Needs the shared MIB collection.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
mibs=$(realpath -m ../shared/mibs)
if [ ! -f "$mibs/IF-MIB.mib" ]; then
  echo "skipped: $mibs/IF-MIB.mib is not present (real MIB collection absent in this clone)"
  exit 0
fi
cmake -S . -B "$build" -G Ninja
cmake --build "$build" --target import_screenshot_tool
work=$(mktemp -d /tmp/oidwright-mibs.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p docs
# A typed "]" for the "}" that closes ifNumber's OID value (line 112).
sed '112s/interfaces 1 }/interfaces 1 ]/' "$mibs/IF-MIB.mib" > "$work/IF-MIB.mib"
QT_QPA_PLATFORM=offscreen "$build/bin/import_screenshot_tool" docs/parse-error.png "$work/IF-MIB.mib"
QT_QPA_PLATFORM=offscreen "$build/bin/import_screenshot_tool" docs/import-log.png "$mibs/IF-MIB.mib"
QT_QPA_PLATFORM=offscreen "$build/bin/import_screenshot_tool" --again docs/reimport-question.png "$mibs/IF-MIB.mib"
echo "wrote docs/parse-error.png, docs/import-log.png and docs/reimport-question.png"
