#!/usr/bin/env python3
"""Writes a text file the way Notepad on any Windows reads it well: UTF-8
with a byte-order mark and CRLF line ends.

usage: notepad_text.py [--max-columns N] IN OUT [NAME=VALUE ...]

Each NAME=VALUE replaces @NAME@ in the text. With --max-columns, a line
wider than N columns, or holding a tab, is an error; East Asian wide and
ambiguous characters count as two columns, as a Japanese Windows font
draws them.
"""
import sys
import unicodedata


def columns(line):
    return sum(2 if unicodedata.east_asian_width(c) in "WFA" else 1 for c in line)


def main(argv):
    max_columns = None
    if argv[:1] == ["--max-columns"]:
        max_columns = int(argv[1])
        argv = argv[2:]
    source, target, *pairs = argv
    with open(source, encoding="utf-8-sig", newline="") as f:
        text = f.read()
    for pair in pairs:
        name, value = pair.split("=", 1)
        text = text.replace("@" + name + "@", value)
    lines = text.replace("\r\n", "\n").split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    problems = []
    for number, line in enumerate(lines, 1):
        if max_columns is None:
            break
        if "\t" in line or "\r" in line:
            problems.append(f"{source}:{number}: a tab or stray carriage return has no fixed width")
        if columns(line) > max_columns:
            problems.append(f"{source}:{number}: {columns(line)} columns, at most {max_columns}")
    if problems:
        print("\n".join(problems), file=sys.stderr)
        return 1
    with open(target, "w", encoding="utf-8-sig", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
