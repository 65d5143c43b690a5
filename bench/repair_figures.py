#!/usr/bin/env python3
"""What --repair does over a folder of real modules, against libsmi's view of them.

1. oidwright-import --each over FOLDER, strict and with --repair: the modules imported in each
   mode, and the files that still fail, grouped by their message.
2. Every file --repair imports with repairs, imported alone (--repair --log -o -): its repair
   lines counted by kind, and each entry's OID compared with the OID libsmi gives its object in
   ORACLE/MODULE.tsv (objects libsmi does not list, or could not root, are not judged).

Usage: bench/repair_figures.py [--bin BUILD/bin] [FOLDER [ORACLE]]
       (FOLDER defaults to ../shared/mibs-collection/mibs, ORACLE to FOLDER/../oracle)
"""
import argparse
import collections
import os
import re
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
EACH_LINE = re.compile(r"^(?P<file>/\S+?): (?P<module>\S+), (?P<entries>\d+) entries(, (?P<repairs>\d+) repairs?)?")
ERROR_LINE = re.compile(r"^/\S+?:\d+: (?P<message>.*?)( \(importing .*\))?$")
REPAIR_LINE = re.compile(r"^\S+:\d+: repaired: (?P<what>.*)$")
ENTRY_LOG = re.compile(r"^(?P<name>[A-Za-z][\w-]*):  .* -> $")  # one line per entry made, in order
ENTRY_OID = re.compile(rb"<oid>\s*([0-9.]+)\s*</oid>.*?<kind>\s*(\w+)\s*</kind>", re.S)
ENTRY = re.compile(rb"<entry>(.*?)</entry>", re.S)
# The kinds of repair, by the words their lines begin or end with.
KINDS = [
    ("RFC page header skipped", "RFC page header"),
    ("RFC page footer skipped", "RFC page footer"),
    ("IMPORTS FROM", "IMPORTS FROM an older or misspelt module name"),
    ("arc ", "unassigned arc"),
    ("comma before \"}\"", "comma before \"}\""),
    ("comma before FROM", "comma before FROM"),
    ("missing comma", "missing comma"),
    ("comma between", "comma between member and type"),
    ("missing closing quote", "missing closing quote"),
    ("missing opening quote", "missing opening quote"),
    ("without its text", "clause without its text"),
    ("doubled quote", "doubled quote in a text"),
    ("\"//\" comment", "\"//\" comment"),
    ("line of a comment", "comment line without \"--\""),
    ("words after the end", "words after a definition"),
    ("text before the module header", "text before the module header"),
    ("module OID in the header", "module OID in the header"),
    ("module name", "module name with a small letter"),
    ("read as one name", "name with \"/\", \"+\" or \"&\""),
    ("unquoted dotted number", "unquoted dotted number"),
    ("read as a name, not as the type", "name spelt like a type"),
    ("read as the end of the SEQUENCE", "\"} }\" closing a SEQUENCE"),
    ("without a type", "SEQUENCE member without a type"),
    ("OBJECT-TYPE missing", "OBJECT-TYPE missing"),
    (" read as OF", "keyword in other letter case"),
]


def kind_of(what):
    for start, kind in KINDS:
        if start in what:
            return kind
    return what


def each(program, folder, cache, repair):
    """The --each lines of a run over folder."""
    command = [program, "--each", folder] + (["--repair"] if repair else [])
    done = subprocess.run(command, capture_output=True, env=dict(os.environ, XDG_CACHE_HOME=cache))
    return done.stdout.decode("latin-1").splitlines()


def summary(lines):
    """(imported, failed messages by file, repaired files)."""
    imported, failed, repaired = set(), {}, {}
    for line in lines:
        match = EACH_LINE.match(line)
        if match and "the same module as" not in line:
            imported.add(match["file"])
            if match["repairs"]:
                repaired[match["file"]] = match["module"]
            continue
        error = ERROR_LINE.match(line)
        if error and " (importing " not in line and not line.startswith("  "):
            failed[line.split(":", 1)[0]] = error["message"]
        elif error:
            failed[line.split(" (importing ")[1].rstrip(")")] = error["message"]
    return imported, failed, repaired


def oracle_oids(oracle, module):
    """libsmi's OIDs of each object of module that it rooted, by name (a name defined twice has two)."""
    path = os.path.join(oracle, module + ".tsv")
    oids = collections.defaultdict(set)
    if os.path.isfile(path):
        with open(path, encoding="latin-1") as rows:
            next(rows, None)
            for row in rows:
                cells = row.rstrip("\n").split("\t")
                if len(cells) >= 10 and cells[9] == "1":
                    oids[cells[0]].add(cells[2])
    return oids


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--bin", default=os.path.join(HERE, "..", "build", "bin"))
    parser.add_argument("folder", nargs="?", default=os.path.join(HERE, "..", "..", "shared", "mibs-collection", "mibs"))
    parser.add_argument("oracle", nargs="?")
    args = parser.parse_args()
    if not os.path.isdir(args.folder):
        sys.exit(f"repair_figures: {args.folder} is not present")
    oracle = args.oracle or os.path.join(args.folder, "..", "oracle")
    program = os.path.join(args.bin, "oidwright-import")
    with tempfile.TemporaryDirectory() as cache:
        strict_lines = each(program, args.folder, cache, False)
        repair_lines = each(program, args.folder, cache, True)
        files = len([name for name in os.listdir(args.folder) if name.lower().endswith((".mib", ".my", ".txt"))])
        strict, _, _ = summary(strict_lines)
        repaired_run, failed, repaired = summary(repair_lines)
        print(f"{files} files: {len(strict)} imported strictly ({100 * len(strict) / files:.2f} %), "
              f"{len(repaired_run)} with --repair ({100 * len(repaired_run) / files:.2f} %), "
              f"{len(repaired)} of them repaired")
        print(repair_lines[-1] if repair_lines else "")

        kinds = collections.Counter()
        modules_with_kind = collections.Counter()
        judged = agreeing = unjudged = 0
        disagreeing = []
        for file, module in sorted(repaired.items()):
            done = subprocess.run([program, "--repair", "--log", "-o", "-", file], capture_output=True,
                                  env=dict(os.environ, XDG_CACHE_HOME=cache))
            seen = set()
            names = []
            lines = done.stderr.decode("latin-1").splitlines()
            # Each repair line stands in the log and again after the reports.
            for line in sorted(set(line for line in lines if line.startswith("/"))):
                match = REPAIR_LINE.match(line)
                if match:
                    kind = kind_of(match["what"])
                    kinds[kind] += 1
                    seen.add(kind)
            for line in lines:
                entry = ENTRY_LOG.match(line)
                if entry:
                    names.append(entry["name"])
            modules_with_kind.update(seen)
            oids = oracle_oids(oracle, module)
            library = done.stdout.split(b"</system>")[-1]
            for name, body in zip(names, ENTRY.findall(library)):
                found = ENTRY_OID.search(body)
                oid = found.group(1).decode()
                if found.group(2) == b"mkDirect" and oid.endswith(".0"):  # a scalar's instance
                    oid = oid[:-2]
                if name not in oids:
                    unjudged += 1
                    continue
                judged += 1
                if oid in oids[name]:
                    agreeing += 1
                else:
                    disagreeing.append(f"{module} {name}: {oid}, libsmi {' '.join(sorted(oids[name]))}")
        print("\nrepairs by kind (repairs, files):")
        for kind, count in kinds.most_common():
            print(f"  {count:6} {modules_with_kind[kind]:5}  {kind}")
        print(f"\nentries of repaired files judged against libsmi: {agreeing} of {judged} agree"
              f" ({100 * agreeing / max(judged, 1):.2f} %); {unjudged} entries whose object libsmi did not root")
        for line in disagreeing[:20]:
            print("  disagrees:", line)
        print("\nstill failing with --repair, by message:")
        by_message = collections.defaultdict(list)
        for file, message in failed.items():
            by_message[re.sub(r"\"[^\"]*\"", '"..."', message)].append(os.path.basename(file))
        for message, names in sorted(by_message.items(), key=lambda item: -len(item[1])):
            print(f"  {len(names):4}  {message}: {', '.join(sorted(names)[:6])}{' ...' if len(names) > 6 else ''}")


if __name__ == "__main__":
    main()
