#!/usr/bin/env python3
"""The setup program depends only on the files it packs and the time it is given: built from copies of one
folder in two places, at other times and with other file times, it is the same bytes; given another
time, it differs (the time is in it, so pinning it is what makes the two the same).

    setup_reproducible_test.py [--amd64] [--makensis PROGRAM] STAGE-FOLDER
"""

import argparse
import os
import shutil
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools"))
import release_setup  # noqa: E402

OPTIONS = None
STAMP = 1700000000


class SetupReproducible(unittest.TestCase):
    def build(self, place, stamp, file_time):
        stage = place / "Velmora-2.50"
        shutil.copytree(OPTIONS.stage, stage)
        for name in release_setup.FILES:
            os.utime(stage / name, (file_time, file_time))
        output = place / "Velmora-2.50-setup.exe"
        release_setup.build_setup(output, stage, stamp, OPTIONS.amd64, OPTIONS.makensis)
        return output.read_bytes()

    def test_two_folders_give_the_same_setup_and_another_time_another(self):
        with tempfile.TemporaryDirectory() as top:
            first = Path(top) / "one"
            second = Path(top) / "another" / "deeper folder"
            third = Path(top) / "three"
            for place in (first, second, third):
                place.mkdir(parents=True)
            one = self.build(first, STAMP, 1000000000)
            two = self.build(second, STAMP, 1600000000)
            self.assertGreater(len(one), 100000)
            self.assertEqual(one[:2], b"MZ")
            self.assertTrue(one == two, "the setups built in two folders differ")
            self.assertNotEqual(self.build(third, STAMP + 86400, 1000000000), one)


def main():
    global OPTIONS
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--amd64", action="store_true")
    parser.add_argument("--makensis", default="makensis")
    parser.add_argument("stage", type=Path)
    OPTIONS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0]] + rest)


if __name__ == "__main__":
    main()
