#!/usr/bin/env python3
"""Prints what the reliability suites ran, per page: the counts they wrote as
`<page>\t<kind>\t<count>` lines to build/*/reliability/*.tsv (one file per suite and build); then how
long the program's starts took, from the `<shown>\t<answered>` lines of build/*/reliability/*.startups."""
import glob
import os
import sys

PAGES = ["Desktop", "Start Menu", "Miscellaneous", "Security", "Folders/Run", "Add/Remove", "New", "About",
         "Main window"]
KINDS = ["hostile states", "injected faults", "diff scenarios", "typed inputs", "fuzz inputs"]


def startup_summary(build):
    """Prints the spread of the start times; returns the lines it could not read."""
    shown, answered, problems = [], [], []
    for path in sorted(glob.glob(os.path.join(build, "*", "reliability", "*.startups"))):
        with open(path, encoding="latin-1") as lines:
            for number, line in enumerate(lines, 1):
                fields = line.split()
                if len(fields) != 2 or not all(f.isdigit() for f in fields):
                    problems.append(f"{path}:{number}: not <shown>\\t<answered>: {line.rstrip()!r}")
                    continue
                shown.append(int(fields[0]))
                answered.append(int(fields[1]))
    if shown:
        def spread(values):
            ordered = sorted(values)
            return "median %d ms, slowest %d ms" % (ordered[len(ordered) // 2], ordered[-1])
        late = sum(1 for s, a in zip(shown, answered) if s + a > 5000)
        print("== Start-ups: %d. Main window shown after the start: %s; its first answer after that: %s; "
              "%d took more than 5 s to take a first message." % (len(shown), spread(shown), spread(answered), late))
    return problems


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "build")
    files = sorted(glob.glob(os.path.join(build, "*", "reliability", "*.tsv")))
    counts = {}
    problems = []
    for path in files:
        with open(path, encoding="latin-1") as tsv:
            for number, line in enumerate(tsv, 1):
                fields = line.rstrip("\n").split("\t")
                if len(fields) != 3 or not fields[2].isdigit():
                    problems.append(f"{path}:{number}: not <page>\\t<kind>\\t<count>: {line.rstrip()!r}")
                    continue
                page, kind, count = fields[0], fields[1], int(fields[2])
                counts[(page, kind)] = counts.get((page, kind), 0) + count
    pages = PAGES + sorted({p for p, _ in counts} - set(PAGES))
    kinds = KINDS + sorted({k for _, k in counts} - set(KINDS))
    width = max(len(p) for p in pages) + 2
    print("== Reliability report (%d files under %s)" % (len(files), build))
    print("".ljust(width) + "".join(k.rjust(17) for k in kinds))
    for page in pages:
        print(page.ljust(width) + "".join(str(counts.get((page, k), 0)).rjust(17) for k in kinds))
    print("total".ljust(width) + "".join(str(sum(counts.get((p, k), 0) for p in pages)).rjust(17) for k in kinds))
    if any(k == "fuzz inputs" for _, k in counts):
        print("(every fuzz input goes through every page: a page's fuzz count is the number of inputs, "
              "its total the number of page runs)")
    problems += startup_summary(build)
    for problem in problems:
        print(problem, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
