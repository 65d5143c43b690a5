#!/usr/bin/env python3
"""A reproducible random sample of the unit decisions "Units from the MIB" makes, for judging by hand.

Every module of FOLDER is imported on its own (oidwright-import --units-from-mib --log); each
entry's unit line ("ident: REASON -> UNIT [x N | / N]") is a decision when it sets a unit other
than "#" or a scale. The sample is the N decisions with the smallest hash of (seed, file, object), so that a
sample drawn from another build keeps every object whose decision both builds make.

  bench/unit_sample.py --bin build/bin [--size 160] [--seed units-2024] [--judged OLD.tsv]
                       [--out docs/unit-sample.tsv] [--context FILE] [FOLDER]
  bench/unit_sample.py --score docs/unit-sample.tsv

--judged carries over the judgement of each row whose module, object, unit and scale are
unchanged; rows left to judge have "?" and are printed with their MIB text to --context.
Prints the count of entries, the share with a unit, and the precision per rule of the judged rows;
--score prints only the precision per rule of a sample judged before.
"""
import argparse
import collections
import csv
import hashlib
import os
import re
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
DECISION = re.compile(r"^([A-Za-z][\w-]*): (.*) -> (.*)$")
FACTOR = re.compile(r"^(.*?)(?: (x|/) (\d+))?$")
COLUMNS = ["module", "object", "rule", "reason", "unit", "scale", "judgement", "why"]

# The rule a reason names, by the first words of its last part: "a counter of ports yields to
# its description; DESCRIPTION \"number of datagrams\"" was decided by the description's count.
RULES = [
    ("DISPLAY-HINT", "display hint"),
    ("UNITS", "UNITS clause"),
    ("the convention", "standard convention"),
    ("TimeTicks", "TimeTicks"),
    ("a counter of", "counter noun"),
    ("range 0..100", "percent range"),
    ('DESCRIPTION "in ', "description phrase"),
    ('DESCRIPTION "(', "description phrase"),
    ('DESCRIPTION "number of', "description count"),
    ('DESCRIPTION "count of', "description count"),
    ('DESCRIPTION "percent', "description percentage"),
    ('DESCRIPTION "%', "description percentage"),
    ('DESCRIPTION "multipl', "description scale"),
    ("DESCRIPTION", "description name"),
    ("as its halves", "unit of its halves"),
    ("identifier", "identifier keywords"),
]


def rule_of(reason):
    decided = reason.split("; ")[-1]
    for start, rule in RULES:
        if decided.startswith(start):
            return rule
    return decided.split(" ")[0]


def decisions(program, module, cache):
    """(object, reason, unit, scale) of each entry of module whose unit line sets a unit."""
    env = dict(os.environ, XDG_CACHE_HOME=cache)
    done = subprocess.run([program, "--units-from-mib", "--log", module], capture_output=True, env=env)
    lines = done.stdout.decode("latin-1").splitlines()
    found = []
    for line, following in zip(lines, lines[1:]):
        match = DECISION.match(line)
        # The unit line is followed by the same object's chain line ("ident:  chain").
        if not match or not following.startswith(match.group(1) + ":  "):
            continue
        unit, sign, number = FACTOR.match(match.group(3)).groups()
        if unit == "#" and not sign:
            continue
        scale = "1" if not sign else (sign + " " + number)
        found.append((match.group(1), match.group(2), unit, scale))
    return found, lines


def share_of_units(lines):
    """(entries, entries with a unit other than "#") of one import's log."""
    entries = units = 0
    for line, following in zip(lines, lines[1:]):
        match = DECISION.match(line)
        if match and following.startswith(match.group(1) + ":  "):
            entries += 1
            units += FACTOR.match(match.group(3)).group(1) != "#"
    return entries, units


def definition(path, name):
    """The text of name's OBJECT-TYPE in the module file, up to its "::=" line."""
    with open(path, encoding="latin-1") as file:
        text = file.read()
    start = re.search(r"^\s*" + re.escape(name) + r"\s+OBJECT-TYPE", text, re.M)
    if not start:
        return "(not found)"
    end = text.find("::=", start.start())
    return text[start.start() : text.find("\n", end) + 1 if end >= 0 else start.start() + 3000]


def print_precision(rows):
    """The share of right judgements per rule and in all."""
    by_rule = collections.defaultdict(collections.Counter)
    for row in rows:
        by_rule[row["rule"]][row["judgement"]] += 1
    right = wrong = 0
    for rule, counts in sorted(by_rule.items()):
        right, wrong = right + counts["right"], wrong + counts["wrong"]
        judged_here = counts["right"] + counts["wrong"]
        share = f"{100.0 * counts['right'] / judged_here:.0f} %" if judged_here else "-"
        print(f"  {rule}: {counts['right']} of {judged_here} right ({share}), {counts['?']} to judge")
    print(f"all: {right} of {right + wrong} right ({100.0 * right / max(right + wrong, 1):.1f} %)")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin")
    parser.add_argument("--score")
    parser.add_argument("--size", type=int, default=160)
    parser.add_argument("--seed", default="units-2024")
    parser.add_argument("--judged")
    parser.add_argument("--out")
    parser.add_argument("--context")
    parser.add_argument("folder", nargs="?", default=os.path.join(HERE, "../../shared/mibs-collection/mibs"))
    args = parser.parse_args()
    if args.score:
        with open(args.score, newline="") as file:
            print_precision(list(csv.DictReader(file, delimiter="\t")))
        return
    if not os.path.isdir(args.folder):
        sys.exit(f"unit_sample: {args.folder} is not present")
    if not args.bin:
        sys.exit("unit_sample: --bin or --score is needed")
    program = os.path.join(args.bin, "oidwright-import")

    population = []
    entries = units = 0
    with tempfile.TemporaryDirectory() as cache:
        for name in sorted(os.listdir(args.folder)):
            found, lines = decisions(program, os.path.join(args.folder, name), cache)
            counted = share_of_units(lines)
            entries, units = entries + counted[0], units + counted[1]
            population += [(name, *decision) for decision in found]

    def rank(row):
        return hashlib.sha1(f"{args.seed}|{row[0]}|{row[1]}".encode()).hexdigest()

    sample = sorted(sorted(population, key=rank)[: args.size])
    judged = {}
    if args.judged:
        with open(args.judged, newline="") as file:
            for row in csv.DictReader(file, delimiter="\t"):
                judged[(row["module"], row["object"], row["unit"], row["scale"])] = row
    rows = []
    for module, name, reason, unit, scale in sample:
        old = judged.get((module, name, unit, scale), {})
        rows.append(dict(zip(COLUMNS, [module, name, rule_of(reason), reason, unit, scale,
                                       old.get("judgement", "?"), old.get("why", "")])))
    if args.out:
        with open(args.out, "w", newline="") as file:
            writer = csv.DictWriter(file, COLUMNS, delimiter="\t", lineterminator="\n")
            writer.writeheader()
            writer.writerows(rows)
    if args.context:
        with open(args.context, "w") as file:
            for row in rows:
                if row["judgement"] == "?":
                    file.write(f"==== {row['module']} {row['object']}: {row['reason']} -> {row['unit']} "
                               f"{row['scale']}\n{definition(os.path.join(args.folder, row['module']), row['object'])}\n")

    print(f"decisions: {len(population)}, entries: {entries}, with a unit: {units} "
          f"({100.0 * units / max(entries, 1):.1f} %)")
    print_precision(rows)


if __name__ == "__main__":
    main()
