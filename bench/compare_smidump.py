#!/usr/bin/env python3
"""Whole-process import time against libsmi, as users run both.

oidwright-import writes the library to standard output, smidump lists the identifiers
(smidump -q -k -f identifiers MODULE, SMIPATH = the collection); runs alternate, medians
are printed with their ratio. Wall time is what users wait; CPU time (user + system of the
process) is what a shared, busy machine disturbs less.

Usage: bench/compare_smidump.py [--bin BUILD/bin] [--mibs FOLDER] [--runs N]
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
WANTED = ["CISCO-PROCESS-MIB", "F5-BIGIP-SYSTEM-MIB", "PowerNet-MIB"]


def module_file(mibs, module):
    for ending in (".mib", ".my", ".txt"):
        path = os.path.join(mibs, module + ending)
        if os.path.isfile(path):
            return path
    return None


def chosen_modules(mibs):
    """The wanted modules; where one is absent, the largest file present stands in for it."""
    by_size = sorted(os.listdir(mibs), key=lambda name: -os.path.getsize(os.path.join(mibs, name)))
    chosen = []
    for wanted in WANTED:
        if module_file(mibs, wanted):
            chosen.append(wanted)
            continue
        stand_in = next(os.path.splitext(name)[0] for name in by_size if os.path.splitext(name)[0] not in chosen)
        print(f"compare_smidump: {wanted} is absent, {stand_in} stands in for it")
        chosen.append(stand_in)
    return chosen


def run(command, env=None):
    """(wall ms, cpu ms) of one run with its output discarded."""
    start = time.perf_counter()
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
    _, status, usage = os.wait4(process.pid, 0)
    wall = (time.perf_counter() - start) * 1000
    if status != 0:
        sys.exit(f"compare_smidump: {' '.join(command)} failed")
    return wall, (usage.ru_utime + usage.ru_stime) * 1000


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--bin", default=os.path.join(HERE, "..", "build", "bin"))
    parser.add_argument("--mibs", default=os.path.join(HERE, "..", "..", "shared", "mibs"))
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()
    if shutil.which("smidump") is None:
        print("compare_smidump: skipped, smidump is not installed (package smitools)")
        return
    if not os.path.isdir(args.mibs):
        print(f"compare_smidump: skipped, {args.mibs} is not present")
        return
    importer = os.path.join(args.bin, "oidwright-import")
    if not os.access(importer, os.X_OK):
        sys.exit(f"compare_smidump: {importer} is not built")
    mibs = os.path.abspath(args.mibs)
    env = dict(os.environ, SMIPATH=mibs)

    modules = chosen_modules(mibs)
    print(f"runs: {args.runs} alternating; working folder and SMIPATH: {mibs}; "
          f"load average: {' '.join(open('/proc/loadavg').read().split()[:3])}")
    print(f"{'':24} {'oidwright-import':>19} {'smidump':>19} {'ratio':>13}")
    print(f"{'module':24} {'wall ms':>9} {'cpu ms':>9} {'wall ms':>9} {'cpu ms':>9} {'wall':>6} {'cpu':>6}")
    for module in modules:
        ours, theirs = [], []
        for _ in range(args.runs):
            ours.append(run([importer, "-q", "-o", "-", module_file(mibs, module)]))
            theirs.append(run(["smidump", "-q", "-k", "-f", "identifiers", module], env))
        a, b = (statistics.median(times) for times in zip(*ours))
        c, d = (statistics.median(times) for times in zip(*theirs))
        print(f"{module:24} {a:9.2f} {b:9.2f} {c:9.2f} {d:9.2f} {a / c:6.2f} {b / d:6.2f}")


if __name__ == "__main__":
    main()
