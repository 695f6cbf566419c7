#!/usr/bin/env python3
"""Holds the help's captions to the program's.

    check_captions.py HELP.but RESOURCE.h TEMPLATE.rc...
    check_captions.py --self-test HELP.but RESOURCE.h TEMPLATE.rc...

The help source writes every caption of the program as \\s{...}. Each one must be a text the program
shows: a string of the dialog templates (a control's or a dialog's caption, with its & mnemonic marks
read as the screen shows them, or a list entry of the initialisation data) or a caption of the resource
header (CAPTION_...). Prints each one that is not, and fails. --self-test misspells each caption of the
source in turn and fails unless every misspelling is caught.
"""

import re
import sys
from pathlib import Path


def shown_text(rc_string):
    """A resource string as the screen shows it: "&&" is "&", any other "&" marks the mnemonic."""
    text = rc_string.replace("\\042", '"').replace('""', '"')
    text = re.sub(r"\\0$", "", text)
    return re.sub(r"&(&?)", r"\1", text)


def program_captions(resource_h, templates):
    captions = set()
    for value in re.findall(r'^#define\s+CAPTION_\w+\s+"((?:[^"\\]|\\.)*)"', resource_h, re.M):
        captions.add(shown_text(value))
    for template in templates:
        for line in template.splitlines():
            if line.lstrip().startswith("//"):
                continue
            for value in re.findall(r'"((?:[^"]|"")*)"', line):
                captions.add(shown_text(value))
    captions.discard("")
    return captions


def help_captions(source):
    """Each \\s{...} of the source, with its line, as the help shows it (escapes read, lines joined)."""
    # Comment lines (\#) name nothing; blanked, they keep every offset and line number.
    source = re.sub(r"(?m)^\\#.*$", lambda comment: " " * len(comment.group()), source)
    found = []
    for match in re.finditer(r"\\s\{((?:[^{}\\]|\\.)*)\}", source):
        text = re.sub(r"\\([\\{}])", r"\1", match.group(1))
        text = " ".join(text.split())
        found.append((source.count("\n", 0, match.start()) + 1, text, match))
    return found


def unknown_captions(source, known):
    return [(line, text) for line, text, _ in help_captions(source) if text not in known]


def misspelt(text):
    """The caption with its first letter doubled: never a caption of its own."""
    for i, c in enumerate(text):
        if c.isalpha():
            return text[: i + 1] + c + text[i + 1 :]
    return text + "x"


def self_test(source, known):
    """Each caption of the source misspelt in turn, alone; the names of those the check let through."""
    missed = []
    for _, text, match in help_captions(source):
        wrong = misspelt(text)
        if wrong in known:
            continue
        changed = source[: match.start(1)] + wrong + source[match.end(1) :]
        if wrong not in {t for _, t in unknown_captions(changed, known)}:
            missed.append(text)
    return missed


def main(argv):
    test = bool(argv) and argv[0] == "--self-test"
    if test:
        argv = argv[1:]
    if len(argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    source = Path(argv[0]).read_text(encoding="latin-1")
    known = program_captions(Path(argv[1]).read_text(encoding="latin-1"),
                             [Path(p).read_text(encoding="latin-1") for p in argv[2:]])
    captions = help_captions(source)
    if not captions:
        print(f"{argv[0]}: names no caption (\\s{{...}})", file=sys.stderr)
        return 1
    if test:
        missed = self_test(source, known)
        for text in missed:
            print(f"{argv[0]}: a misspelt \"{text}\" was not caught", file=sys.stderr)
        print(f"{len(captions) - len(missed)} of {len(captions)} misspelt captions caught")
        return 1 if missed else 0
    unknown = unknown_captions(source, known)
    for line, text in unknown:
        print(f"{argv[0]}:{line}: \"{text}\" is not a caption of the program", file=sys.stderr)
    if unknown:
        return 1
    print(f"{len(captions)} captions named in the help, each one the program shows")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
