#!/usr/bin/env python3
"""Keeps the README's option blocks equal to what the programs' own --help prints.

    readme_help.py BUILD-DIR            rewrites every block from the built programs
    readme_help.py --check BUILD-DIR    prints how each differing block differs; exits 1 if any

A block is a fenced code block between "<!-- help: PROGRAM -->" and "<!-- /help -->".
BUILD-DIR/readme_programs.txt, written by CMake, says where each program was built, one
"PROGRAM=PATH" a line. A block of a program the build did not make is an error.
"""
import difflib
import os
import re
import subprocess
import sys

BLOCK = re.compile(r"(<!-- help: (\S+) -->\n```text\n)(.*?)(```\n<!-- /help -->)", re.DOTALL)


def built_programs(build_dir):
    with open(os.path.join(build_dir, "readme_programs.txt"), encoding="utf-8") as listing:
        return dict(line.rstrip("\n").split("=", 1) for line in listing if "=" in line)


def help_text(path):
    """What the program prints with --help, without trailing spaces or blank lines."""
    printed = subprocess.run([path, "--help"], capture_output=True, text=True, check=True).stdout
    return "".join(line.rstrip() + "\n" for line in printed.rstrip().splitlines())


def main(arguments):
    check = arguments[:1] == ["--check"]
    arguments = arguments[1:] if check else arguments
    if len(arguments) != 1:
        sys.exit(__doc__)
    readme_path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "README.md")
    with open(readme_path, encoding="utf-8") as readme:
        text = readme.read()
    programs = built_programs(arguments[0])
    faults, missing = [], []

    def refresh(block):
        program, shown = block.group(2), block.group(3)
        if program not in programs:
            missing.append(f"README.md: a help block of {program}, which the build does not make\n")
            return block.group(0)
        printed = help_text(programs[program])
        if printed != shown:
            faults.append("".join(difflib.unified_diff(
                shown.splitlines(True), printed.splitlines(True),
                f"README.md ({program})", f"{program} --help")))
        return block.group(1) + printed + block.group(4)

    refreshed, count = BLOCK.subn(refresh, text)
    if count == 0:
        missing.append("README.md: no <!-- help: PROGRAM --> block\n")
    if check:
        faults += missing
        sys.stdout.write("".join(faults))
        return 1 if faults else 0
    if refreshed != text:
        with open(readme_path, "w", encoding="utf-8") as readme:
            readme.write(refreshed)
    sys.stdout.write("".join(missing))
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
