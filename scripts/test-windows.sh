#!/usr/bin/env bash
# Cross-builds the command line and the core's tests for Windows (scripts/build-windows.sh) and
# runs them under wine64 in a throwaway prefix: the tests, then `oidwright-import.exe --each` over
# SHARED/mibs, whose libraries must be byte for byte those of the Linux build's oidwright-import.
# Usage: scripts/test-windows.sh [WINDOWS_BUILD_DIR [LINUX_BUILD_DIR [SHARED]]]
#   LINUX_BUILD_DIR (default build) holds a built bin/oidwright-import; SHARED defaults to ../shared.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-windows}
linux=${2:-build}
shared=${3:-../shared}
scripts/build-windows.sh "$build" -DOIDWRIGHT_TESTS=ON

work=$(mktemp -d)
export WINEPREFIX=$work/wine WINEDEBUG=-all
wine=/usr/lib/wine/wine64
cleanup() {
  WINEPREFIX=$work/wine /usr/lib/wine/wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
# The prefix is made once, before the tests start their programs in parallel.
"$wine" wineboot --init >/dev/null 2>&1

# Each test program is one ctest test; its cases are counted from GoogleTest's summary lines.
ctest --test-dir "$build" -V -j "$(nproc)" > "$work/ctest.log" 2>&1 || {
  grep -E "FAILED|Failure" "$work/ctest.log" >&2
  echo "FAIL: core tests under Wine, see above" >&2
  exit 1
}
count() { sed -nE "s/.*\[  $1 *\] ([0-9]+) tests?[.,].*/\1/p" "$work/ctest.log" | awk '{s += $1} END {print s + 0}'; }
echo "Core tests under Wine: $(count PASSED) passed, $(count SKIPPED) skipped"
sed -nE 's/.*(skipped: .*)/\1/p' "$work/ctest.log" | sort -u

if [ ! -d "$shared/mibs" ]; then
  echo "skipped: $shared/mibs is not present (real MIB collection absent in this clone)"
  exit 0
fi
# Each run with an empty cache folder: the Linux one in $work, the Windows one in the new prefix.
start=$(date +%s%N)
XDG_CACHE_HOME=$work/cache-linux "$linux/bin/oidwright-import" --each "$shared/mibs" -o "$work/linux" -q >/dev/null || true
middle=$(date +%s%N)
"$wine" "$build/bin/oidwright-import.exe" --each "$shared/mibs" -o "$work/windows" -q >/dev/null || true
end=$(date +%s%N)
libraries=$(find "$work/linux" -name '*.oidlib' | wc -l)
[ "$libraries" -gt 0 ] || { echo "FAIL: the Linux build wrote no library" >&2; exit 1; }
diff -r "$work/linux" "$work/windows" >/dev/null || {
  echo "FAIL: the Windows build's libraries differ from the Linux build's:" >&2
  diff -rq "$work/linux" "$work/windows" >&2 || true
  exit 1
}
linuxMs=$(((middle - start) / 1000000))
windowsMs=$(((end - middle) / 1000000))
echo "--each over $shared/mibs: $libraries libraries byte-identical; Linux ${linuxMs} ms, Wine ${windowsMs} ms" \
  "(ratio $(awk "BEGIN {printf \"%.1f\", $windowsMs / ($linuxMs > 0 ? $linuxMs : 1)}"))"
