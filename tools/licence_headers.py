#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Orrim Softwares
# SPDX-License-Identifier: MIT
"""Every source file of the project starts with its licence in two SPDX lines.

    tools/licence_headers.py          lists the files that lack them, and fails if any does
    tools/licence_headers.py --fix    adds them (after a #! line)
"""

import os
import subprocess
import sys

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
HOLDER = "SPDX-FileCopyrightText: 2026 Orrim Softwares"
LICENCE = "SPDX-License-Identifier: MIT"

SLASHES = (".cpp", ".h", ".h.in")
HASHES = (".py", ".sh", ".cmake")


def comment_style(path):
    name = os.path.basename(path)
    if name.endswith(SLASHES):
        return "//"
    if name.endswith(HASHES) or name == "CMakeLists.txt":
        return "#"
    try:
        with open(os.path.join(ROOT, path), "rb") as f:
            first = f.readline()
    except OSError:
        return None
    if first.startswith(b"#!") and (b"sh" in first or b"python" in first):
        return "#"
    return None


def sources():
    listed = subprocess.run(["git", "ls-files", "--cached", "--others", "--exclude-standard"],
                            cwd=ROOT, capture_output=True, text=True, check=True).stdout
    for path in listed.splitlines():
        if path.startswith(("fuzz/corpus/", "docs/")) or not os.path.isfile(os.path.join(ROOT, path)):
            continue
        style = comment_style(path)
        if style:
            yield path, style


def header(style):
    return f"{style} {HOLDER}\n{style} {LICENCE}\n"


def has_header(text):
    head = "\n".join(text.splitlines()[:4])
    return HOLDER in head and LICENCE in head


def add_header(text, style):
    lines = text.splitlines(keepends=True)
    if lines and lines[0].startswith("#!"):
        return lines[0] + header(style) + "".join(lines[1:])
    return header(style) + text


def main():
    fix = "--fix" in sys.argv[1:]
    missing = []
    for path, style in sources():
        full = os.path.join(ROOT, path)
        with open(full, encoding="utf-8") as f:
            text = f.read()
        if has_header(text):
            continue
        if fix:
            with open(full, "w", encoding="utf-8") as f:
                f.write(add_header(text, style))
        else:
            missing.append(path)
    for path in missing:
        print(f"no licence header: {path}")
    if missing:
        sys.exit(1)
    print("Every source file carries its licence header.")


if __name__ == "__main__":
    main()
