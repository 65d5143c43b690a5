#!/usr/bin/env python3
"""What "Units from the MIB" does over a folder of modules: each module imported on its own with
oidwright-import, without and with --units-from-mib. Prints the share of entries whose unit is
not "#" in both modes, how many entries each rule set, and (with --base, an oidwright-import
built from an earlier commit) how the default-mode entries differ from that build's, by field.

Run: bench/units_from_mib.py --bin build-bench/bin [--base OLD/bin] [FOLDER]
     (FOLDER defaults to ../shared/mibs-collection/mibs)
"""
import argparse
import collections
import os
import re
import subprocess
import sys
import tempfile

ENTRY = re.compile(rb"<entry>(.*?)</entry>", re.S)
FIELD = re.compile(rb"<(\w+)>(.*?)</\1>|<(\w+)/>", re.S)
# "identifier: reason -> units"; the reason's first words name the rule.
# Object identifiers start in lower case, which keeps out the parser's "Type: TimeTicks" lines.
RULE_LINE = re.compile(
    r"^[a-z][\w-]*: (DISPLAY-HINT|UNITS|TimeTicks|a counter of|range 0\.\.100|DESCRIPTION|identifier|no unit in the MIB)"
)


def entries(library):
    """The entries of an .oidlib text as dicts of field name to bytes."""
    result = []
    for body in ENTRY.findall(library):
        fields = {}
        for match in FIELD.finditer(body):
            if match.group(1):
                fields[match.group(1).decode()] = match.group(2).strip()
            else:
                fields[match.group(3).decode()] = b""
        result.append(fields)
    return result


def run(program, module, cache, *options):
    """The library written to standard output and the printed log, or None when it fails."""
    env = dict(os.environ, XDG_CACHE_HOME=cache)
    done = subprocess.run([program, *options, "-o", "-", module], capture_output=True, env=env)
    if done.returncode not in (0, 1):
        return None
    return done.stdout, done.stderr.decode("latin-1")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin", required=True)
    parser.add_argument("--base")
    here = os.path.dirname(os.path.abspath(__file__))
    parser.add_argument("folder", nargs="?", default=os.path.join(here, "../../shared/mibs-collection/mibs"))
    args = parser.parse_args()
    if not os.path.isdir(args.folder):
        sys.exit(f"units_from_mib: {args.folder} is not present")
    program = os.path.join(args.bin, "oidwright-import")
    totals = collections.Counter()
    rules = collections.Counter()
    differences = collections.Counter()
    with tempfile.TemporaryDirectory() as cache:
        for name in sorted(os.listdir(args.folder)):
            module = os.path.join(args.folder, name)
            plain = run(program, module, cache, "-q")
            units = run(program, module, cache, "--units-from-mib", "--log")
            if plain is None or units is None:
                totals["modules refused"] += 1
                continue
            totals["modules"] += 1
            plain_entries, units_entries = entries(plain[0]), entries(units[0])
            totals["entries"] += len(plain_entries)
            totals["unit set, default"] += sum(e.get("units") != b"#" for e in plain_entries)
            totals["unit set, option"] += sum(e.get("units") != b"#" for e in units_entries)
            for line in units[1].splitlines():
                match = RULE_LINE.match(line)
                if match:
                    rules[match.group(1)] += 1
            if args.base:
                base = run(os.path.join(args.base, "oidwright-import"), module, cache, "-q")
                base_entries = entries(base[0]) if base else []
                if len(base_entries) != len(plain_entries):
                    differences["entry count"] += 1
                for old, new in zip(base_entries, plain_entries):
                    changed = tuple(sorted(k for k in set(old) | set(new) if old.get(k) != new.get(k)))
                    if changed:
                        differences[changed] += 1
    print(f"modules imported: {totals['modules']} (refused: {totals['modules refused']}), entries: {totals['entries']}")
    for mode in ("default", "option"):
        share = 100.0 * totals[f"unit set, {mode}"] / max(totals["entries"], 1)
        print(f"unit not \"#\", {mode}: {totals[f'unit set, {mode}']} ({share:.1f} %)")
    print("rule lines in the option's log:")
    for rule, count in rules.most_common():
        print(f"  {rule}: {count}")
    if args.base:
        print("default-mode entries that differ from the base build, by changed fields:")
        for fields, count in differences.most_common():
            print(f"  {fields}: {count}")


if __name__ == "__main__":
    main()
