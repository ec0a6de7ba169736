#!/usr/bin/env python3
"""Benchmark trees: make one, and tell whether a sweep removed exactly the junk.

  tree.py make <root> <files> <directories> [seed]
  tree.py check <original-list> <root>
  tree.py patterns                  the benchmark's 8 patterns, as KILL.LST
  tree.py longlist <count>          a list of count patterns with the 8 among them

The expectation is worked out here on its own, from the long names and the
platform's wildcard rules for the benchmark's patterns, not by the engine.
"""
import os
import random
import re
import sys

# The benchmark's KILL.LST, and what each pattern means for a long name.
PATTERNS = ["*.tmp", "*.bak", "~*.*", "Thumbs.db", "*.old", "FILE????.CHK", "*.$$$", "*.~mp"]


def matches_junk(name):
    upper = name.upper()
    if any(upper.endswith(ext) for ext in (".TMP", ".BAK", ".OLD", ".$$$", ".~MP")):
        return True                      # "*.ext": the last extension is ext
    if upper.startswith("~"):
        return True                      # "~*.*": a trailing ".*" also matches no extension
    if upper == "THUMBS.DB":
        return True
    # "?" is one character, or none before the dot; never a dot itself.
    return re.fullmatch(r"FILE[^.]{0,4}\.CHK", upper) is not None


JUNK = ["x{n}.tmp", "build{n}.TMP", "a.b{n}.tmp", "doc{n}.bak", "DOC{n}.BAK", "~${n}report.docx", "~notes{n}",
        "Thumbs.db", "thumbs.DB", "old{n}.old", "FILE{k}.CHK", "FILE.CHK", "setup{n}.$$$", "img{n}.~mp"]
# Lookalikes: their 8.3 aliases (or a careless glob) would match; their long names do not.
LOOKALIKES = ["x{n}.tmpl", "report{n}.tmpl", "x{n}.oldies", "doc{n}.bak2", "Thumbs.dbx", "notes{n}~",
              "a{n}.tmp.txt", "FILE{n}5.CHK", "file{n}.chkx", "tmp{n}", "x{n}.bakery"]
ORDINARY = ["report{n}.txt", "image{n}.jpg", "main{n}.cpp", "notes{n}", "README", "data{n}.csv",
            "Makefile", ".hidden{n}", "archive{n}.tar.gz", "song{n}.mp3"]


def make(root, files, directories, seed=1):
    rng = random.Random(seed)
    os.makedirs(root)
    dirs = [root]
    for i in range(directories - 1):
        parent = rng.choice(dirs[-200:] if rng.random() < 0.7 else dirs)
        path = os.path.join(parent, "dir%04d" % i)
        os.mkdir(path)
        dirs.append(path)
    made = 0
    while made < files:
        kind = rng.random()
        pool = JUNK if kind < 0.3 else LOOKALIKES if kind < 0.45 else ORDINARY
        name = rng.choice(pool).format(n=rng.randrange(100000), k=rng.randrange(10000))
        path = os.path.join(rng.choice(dirs), name)
        if os.path.exists(path):
            continue
        open(path, "w").close()
        made += 1


def long_list(count):
    """Mostly exact names, some "*.ext" and "prefix*", a hundred general
    wildcards, and the 8 spread through it; none but the 8 matches a name the
    tree has, so the same files go."""
    rng = random.Random(count)
    general = ["zz?%d*.log", "*cache%d*", "obj%d.?", "gen*%d.pyc", "~zz%d*.*"]
    spots = {count * (2 * k + 1) // 16: pattern for k, pattern in enumerate(PATTERNS)}
    lines = []
    for i in range(count):
        kind = rng.random()
        if i in spots:
            lines.append(spots[i])
        elif i % (count // 100 or 1) == 1:
            lines.append(general[(i // (count // 100 or 1)) % len(general)] % i)
        elif kind < 0.9:
            lines.append(rng.choice(["obj%d.o", "Gen_%d.pyc", "cache%d.dat", "%d.cache"]) % i)
        elif kind < 0.98:
            lines.append("*.gen%d" % i)
        else:
            lines.append("build-out-%d*" % i)
    return lines


def listing(root):
    found = []
    for folder, _, names in os.walk(root):
        for name in names:
            found.append(os.path.relpath(os.path.join(folder, name), root))
    return sorted(found)


def check(original_list, root):
    with open(original_list) as f:
        original = [line.rstrip("\n") for line in f if line.strip()]
    expected_gone = {p for p in original if matches_junk(os.path.basename(p))}
    remaining = set(listing(root))
    gone = set(original) - remaining
    missed = expected_gone - gone
    extra = gone - expected_gone
    print("%d %d %d" % (len(gone), len(missed), len(extra)))
    return 0


def main():
    command = sys.argv[1]
    if command == "make":
        make(sys.argv[2], int(sys.argv[3]), int(sys.argv[4]), int(sys.argv[5]) if len(sys.argv) > 5 else 1)
    elif command == "list":
        print("\n".join(listing(sys.argv[2])))
    elif command == "check":
        return check(sys.argv[2], sys.argv[3])
    elif command == "patterns":
        print("\r\n".join(PATTERNS), end="\r\n")
    elif command == "longlist":
        print("\r\n".join(long_list(int(sys.argv[2]))), end="\r\n")
    elif command == "expected":
        with open(sys.argv[2]) as f:
            print(sum(1 for line in f if line.strip() and matches_junk(os.path.basename(line.rstrip("\n")))))
    return 0


if __name__ == "__main__":
    sys.exit(main())
