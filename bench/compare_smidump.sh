#!/bin/bash
# Whole-process import time against libsmi, as users run both: oidwright-import writing the
# library to standard output, smidump listing the identifiers, runs alternating, medians.
# Usage: bench/compare_smidump.sh [BUILD_BIN_FOLDER] [MIBS_FOLDER] [RUNS]
set -u
here=$(cd "$(dirname "$0")/.." && pwd)
bin=${1:-$here/build/bin}
mibs=${2:-$here/../shared/mibs}
runs=${3:-5}
importer=$bin/oidwright-import

if ! command -v smidump >/dev/null; then echo "compare_smidump: skipped, smidump is not installed (package smitools)"; exit 0; fi
if [ ! -d "$mibs" ]; then echo "compare_smidump: skipped, $mibs is not present"; exit 0; fi
if [ ! -x "$importer" ]; then echo "compare_smidump: $importer is not built" >&2; exit 1; fi
mibs=$(cd "$mibs" && pwd)

# The file of a module in the collection, by the names the import tries first.
module_file() {
    for ending in .mib .my .txt; do
        [ -f "$mibs/$1$ending" ] && { echo "$mibs/$1$ending"; return 0; }
    done
    return 1
}

# The three cases; where a module is absent, the largest files present stand in for it.
modules=()
for wanted in CISCO-PROCESS-MIB F5-BIGIP-SYSTEM-MIB PowerNet-MIB; do
    if module_file "$wanted" >/dev/null; then modules+=("$wanted"); continue; fi
    for file in $(ls -S "$mibs"); do
        candidate=${file%.*}
        [[ " ${modules[*]} " == *" $candidate "* ]] && continue
        echo "compare_smidump: $wanted is absent, $candidate stands in for it"
        modules+=("$candidate")
        break
    done
done

# Milliseconds of one run of the command, its output discarded.
run_ms() {
    local start=$EPOCHREALTIME
    "$@" >/dev/null 2>&1
    awk -v start="$start" -v end="$EPOCHREALTIME" 'BEGIN { printf "%.2f", (end - start) * 1000 }'
}

median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

echo "runs: $runs alternating; working folder and SMIPATH: $mibs; load: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-26s %12s %12s %7s\n' module "import ms" "smidump ms" ratio
for module in "${modules[@]}"; do
    file=$(module_file "$module")
    ours=() theirs=()
    for ((i = 0; i < runs; ++i)); do
        ours+=("$(run_ms "$importer" -q -o - "$file")")
        theirs+=("$(SMIPATH=$mibs run_ms smidump -q -k -f identifiers "$module")")
    done
    a=$(median "${ours[@]}") b=$(median "${theirs[@]}")
    ratio=$(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.2f", a / b }')
    printf '%-26s %12s %12s %7s\n' "$module" "$a" "$b" "$ratio"
done
