#!/usr/bin/env python3
"""oidwright-import in a large vendor folder and over a whole collection, against libsmi.

1. Whole process in a working folder of at least 12,000 files, built here: the modules of
   ../shared/mibs-collection and ../shared/mibs, plus hard links to them (copies where links
   fail) under further names. CISCO-PROCESS-MIB, FORTINET-FORTIGATE-MIB and HP-ICF-OID are
   imported (-q -o -) and dumped by smidump (-q -k -f identifiers, SMIPATH = the folder),
   runs alternating, medians printed with their ratio (goal: at most 0.7).
2. --each over ../shared/mibs-collection against one oidwright-import process per module and
   against one smidump process per module (goal: at most 3 s and 0.15 of smidump's time), with
   peak memory. The module header index goes to a cache folder of its own.

Wall time is what users wait; CPU time (user + system) is what a shared, busy machine disturbs
less. Usage: bench/collection_bench.py [--bin BUILD/bin] [--shared FOLDER] [--runs N]
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
MODULES = ["CISCO-PROCESS-MIB", "FORTINET-FORTIGATE-MIB", "HP-ICF-OID"]
FOLDER_SIZE = 12000


def run(command, env):
    """(wall s, cpu s, peak KB, exit status) of one run with its output discarded."""
    start = time.perf_counter()
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
    _, status, usage = os.wait4(process.pid, 0)
    return (time.perf_counter() - start, usage.ru_utime + usage.ru_stime, usage.ru_maxrss,
            os.waitstatus_to_exitcode(status))


def module_file(folder, module):
    for ending in (".mib", ".my", ".txt"):
        if os.path.isfile(os.path.join(folder, module + ending)):
            return os.path.join(folder, module + ending)
    return None


def build_folder(folder, sources):
    """The sources' files under their own names, then links to them until FOLDER_SIZE names."""
    originals = []
    for source in sources:
        for name in sorted(os.listdir(source)):
            path = os.path.join(source, name)
            if os.path.isfile(path) and not os.path.exists(os.path.join(folder, name)):
                shutil.copyfile(path, os.path.join(folder, name))
                originals.append(name)
    for i in range(FOLDER_SIZE - len(originals)):
        original = originals[i % len(originals)]
        target = os.path.join(folder, f"copy{i:05d}-{original}")
        try:
            os.link(os.path.join(folder, original), target)
        except OSError:
            shutil.copyfile(os.path.join(folder, original), target)
    return len(os.listdir(folder))


def side_by_side(importer, folder, runs, env):
    smi_env = dict(env, SMIPATH=folder)
    print(f"{'':24} {'oidwright-import':>17} {'smidump':>17} {'ratio':>13}")
    print(f"{'module':24} {'wall ms':>8} {'cpu ms':>8} {'wall ms':>8} {'cpu ms':>8} {'wall':>6} {'cpu':>6}")
    for module in MODULES:
        file = module_file(folder, module)
        if file is None:
            print(f"{module:24} absent")
            continue
        ours, theirs = [], []
        for _ in range(runs):
            ours.append(run([importer, "-q", "-o", "-", file], env)[:2])
            theirs.append(run(["smidump", "-q", "-k", "-f", "identifiers", module], smi_env)[:2])
        a, b = (statistics.median(t) * 1000 for t in zip(*ours))
        c, d = (statistics.median(t) * 1000 for t in zip(*theirs))
        print(f"{module:24} {a:8.1f} {b:8.1f} {c:8.1f} {d:8.1f} {a / c:6.2f} {b / d:6.2f}")


def whole_collection(importer, collection, runs, env, scratch):
    files = sorted(f for f in os.listdir(collection) if os.path.isfile(os.path.join(collection, f)))
    # A new output folder per run: deleting the last run's files just before writing makes a file
    # system without a journal (ext4 here) search past every recently freed inode.
    each = []
    for i in range(runs):
        each.append(run([importer, "-q", "--each", collection, "-o", os.path.join(scratch, f"each{i}")], env))
    wall, cpu = statistics.median(r[0] for r in each), statistics.median(r[1] for r in each)
    peak = max(r[2] for r in each)
    singles, smidump = [0.0, 0.0, 0], [0.0, 0.0, 0]
    smi_env = dict(env, SMIPATH=collection)
    single_out = os.path.join(scratch, "single")
    os.makedirs(single_out, exist_ok=True)
    for name in files:
        module = os.path.splitext(name)[0]
        for total, command, command_env in (
                (singles, [importer, "-q", os.path.join(collection, name), "-o",
                           os.path.join(single_out, module + ".oidlib")], env),
                (smidump, ["smidump", "-q", "-k", "-f", "identifiers", module], smi_env)):
            w, c, p, _ = run(command, command_env)
            total[0] += w
            total[1] += c
            total[2] = max(total[2], p)
    print(f"{len(files)} modules of {collection}:")
    print(f"  --each, one process    {wall:7.2f} s wall {cpu:7.2f} s cpu  peak {peak / 1024:6.0f} MB  (median of {runs})")
    print(f"  one process per module {singles[0]:7.2f} s wall {singles[1]:7.2f} s cpu  peak {singles[2] / 1024:6.0f} MB")
    print(f"  smidump per module     {smidump[0]:7.2f} s wall {smidump[1]:7.2f} s cpu  peak {smidump[2] / 1024:6.0f} MB")
    print(f"  --each / smidump: {wall / smidump[0]:.3f} wall, {cpu / smidump[1]:.3f} cpu; "
          f"--each / one process per module: {wall / singles[0]:.3f} wall")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--bin", default=os.path.join(HERE, "..", "build", "bin"))
    parser.add_argument("--shared", default=os.path.join(HERE, "..", "..", "shared"))
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()
    if shutil.which("smidump") is None:
        print("collection_bench: skipped, smidump is not installed (package smitools)")
        return
    collection = os.path.join(args.shared, "mibs-collection", "mibs")
    mibs = os.path.join(args.shared, "mibs")
    if not os.path.isdir(collection) or not os.path.isdir(mibs):
        print(f"collection_bench: skipped, {collection} or {mibs} is not present")
        return
    importer = os.path.abspath(os.path.join(args.bin, "oidwright-import"))
    if not os.access(importer, os.X_OK):
        sys.exit(f"collection_bench: {importer} is not built")
    with tempfile.TemporaryDirectory(prefix="oidwright-collection-bench-") as scratch:
        env = dict(os.environ, XDG_CACHE_HOME=os.path.join(scratch, "cache"))
        folder = os.path.join(scratch, "folder")
        os.makedirs(folder)
        count = build_folder(folder, [collection, mibs])
        print(f"load average: {' '.join(open('/proc/loadavg').read().split()[:3])}; "
              f"working folder of {count} files; runs: {args.runs} alternating")
        side_by_side(importer, folder, args.runs, env)
        whole_collection(importer, os.path.abspath(collection), max(1, args.runs // 2), env, scratch)


if __name__ == "__main__":
    main()
