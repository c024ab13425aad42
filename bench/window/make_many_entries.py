#!/usr/bin/env python3
"""Writes a tree holding one archive of many small entries (default 65,600),
the shape that makes a display which repaints at every entry slow.
Usage: make_many_entries.py TREE [ENTRIES]"""
import os
import sys
import zipfile


def main():
    tree = sys.argv[1]
    entries = int(sys.argv[2]) if len(sys.argv) > 2 else 65600
    os.makedirs(tree, exist_ok=True)
    with zipfile.ZipFile(os.path.join(tree, "many.zip"), "w", zipfile.ZIP_DEFLATED) as archive:
        for i in range(entries):
            archive.writestr("folder%03d/entry%05d.txt" % (i // 1000, i), "entry %d\n" % i)


if __name__ == "__main__":
    main()
