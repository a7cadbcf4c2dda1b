#!/usr/bin/env python3
"""Holds every #include "..." of the C++ sources to the table in scripts/layers.txt, and the
README's copy of the table to the table itself. Prints each include that crosses a layer the
wrong way and exits 1 when there is any; exits 0 in silence otherwise.

    check_layers.py [PROJECT-ROOT]
"""
import os
import re
import sys

# Where a quoted include is looked for after the including file's own folder, in this order.
INCLUDE_ROOTS = ("src", "tools", "tests")
SOURCE_SUFFIXES = (".cpp", ".h")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)
README_BLOCK = re.compile(r"<!-- layers -->\n```\n(.*?)```\n<!-- /layers -->", re.DOTALL)


def read_table(root):
    """The table's lines without comments, and each folder's set of folders it may use."""
    lines, allowed = [], {}
    with open(os.path.join(root, "scripts", "layers.txt"), encoding="utf-8") as table:
        for line in table:
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            folder, _, uses = line.partition(":")
            lines.append(line)
            allowed[folder.strip()] = set(uses.split())
    return lines, allowed


def owner(path, folders):
    """The longest folder of the table that holds path, or None."""
    holders = [f for f in folders if path == f or path.startswith(f + "/")]
    return max(holders, key=len) if holders else None


def resolve(root, including, name):
    """The project file a quoted include names, relative to root, or None for a system one."""
    candidates = [os.path.join(os.path.dirname(including), name)]
    candidates += [os.path.join(r, name) for r in INCLUDE_ROOTS]
    for candidate in candidates:
        if os.path.isfile(os.path.join(root, candidate)):
            return os.path.normpath(candidate)
    return None


def sources(root, folders):
    for folder in sorted({f.split("/")[0] for f in folders}):
        for directory, _, files in os.walk(os.path.join(root, folder)):
            for name in sorted(files):
                if name.endswith(SOURCE_SUFFIXES):
                    yield os.path.relpath(os.path.join(directory, name), root)


def include_faults(root, allowed):
    faults = []
    for path in sources(root, allowed):
        folder = owner(path, allowed)
        if folder is None:
            faults.append(f"{path}: in no folder of scripts/layers.txt")
            continue
        with open(os.path.join(root, path), encoding="utf-8", errors="replace") as source:
            text = source.read()
        for name in INCLUDE.findall(text):
            target = resolve(root, path, name)
            used = owner(target, allowed) if target else None
            if target and used != folder and used not in allowed[folder]:
                faults.append(f'{path}: #include "{name}" reaches {used or target}, '
                              f"which {folder} may not use")
    return faults


def readme_faults(root, lines):
    with open(os.path.join(root, "README.md"), encoding="utf-8") as readme:
        block = README_BLOCK.search(readme.read())
    if block is None:
        return ["README.md: no <!-- layers --> block with the table of scripts/layers.txt"]
    if block.group(1).splitlines() != lines:
        return ["README.md: the layers block differs from scripts/layers.txt"]
    return []


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    lines, allowed = read_table(root)
    faults = include_faults(root, allowed) + readme_faults(root, lines)
    for fault in faults:
        print(fault, file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
