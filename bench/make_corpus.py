#!/usr/bin/env python3
"""Writes the archive benchmark corpus: a few large archives and many small
ones, mixing prose-like text, source-like text and incompressible bytes.
Deterministic for a given seed. Usage: make_corpus.py DIR [SCALE]
SCALE 1.0 gives roughly 300 MB of uncompressed data."""
import os
import random
import sys
import zipfile

WORDS = ("archive tester folder entry header central directory record deflate "
         "inflate checksum window toolbar menu popup button label summary total "
         "error renamed drive bytes ratio progress the of and to in is that for").split()
KEYWORDS = ["int", "return", "if", "else", "for", "while", "const", "auto",
            "static", "void", "struct", "class", "namespace", "std::string"]


def prose(rng, size):
    out, n = [], 0
    while n < size:
        line = " ".join(rng.choice(WORDS) for _ in range(rng.randint(6, 14))) + ".\r\n"
        out.append(line)
        n += len(line)
    return "".join(out).encode()[:size]


def source(rng, size):
    out, n, depth = [], 0, 0
    while n < size:
        kw = rng.choice(KEYWORDS)
        ident = "".join(rng.choice("abcdefghijklmnopqrstuvwxyz_") for _ in range(rng.randint(3, 12)))
        line = "    " * depth + f"{kw} {ident} = {rng.randint(0, 99999)}; // {rng.choice(WORDS)}\n"
        if rng.random() < 0.1:
            line += "    " * depth + "{\n"
            depth = min(depth + 1, 6)
        elif rng.random() < 0.1 and depth:
            depth -= 1
            line += "    " * depth + "}\n"
        out.append(line)
        n += len(line)
    return "".join(out).encode()[:size]


def noise(rng, size):
    return rng.randbytes(size)


KINDS = (prose, source, noise)


def write_archive(path, rng, entries):
    with zipfile.ZipFile(path, "w", compression=zipfile.ZIP_DEFLATED, compresslevel=6) as z:
        for i, (kind, size) in enumerate(entries):
            data = kind(rng, size)
            method = zipfile.ZIP_STORED if kind is noise and i % 2 else zipfile.ZIP_DEFLATED
            z.writestr(zipfile.ZipInfo(f"dir{i % 7}/entry{i}.{kind.__name__}", (2024, 5, 1, 12, 0, 0)),
                       data, compress_type=method)


def main():
    out = sys.argv[1]
    scale = float(sys.argv[2]) if len(sys.argv) > 2 else 1.0
    os.makedirs(out, exist_ok=True)
    rng = random.Random(1997)
    # Large archives: a few big entries each, one of them an 80 MB text entry.
    for a in range(3):
        entries = [(KINDS[(a + i) % 3], int(rng.randint(8, 20) * 1_000_000 * scale)) for i in range(4)]
        if a == 0:
            entries.append((prose, int(80_000_000 * scale)))
        write_archive(os.path.join(out, f"large{a}.zip"), rng, entries)
    # Many small archives: a handful of small entries each.
    for a in range(int(2000 * scale)):
        entries = [(rng.choice(KINDS), rng.randint(100, 40_000)) for _ in range(rng.randint(1, 8))]
        write_archive(os.path.join(out, f"small{a:05d}.zip"), rng, entries)


if __name__ == "__main__":
    main()
