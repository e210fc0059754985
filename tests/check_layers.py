#!/usr/bin/python3
"""Checks that the layer table of docs/ARCHITECTURE.md says what the build
links: for every library of src/CMakeLists.txt, the project's libraries it
links (in any configuration) are those its row names.

Usage: check_layers.py ARCHITECTURE.md src/CMakeLists.txt
"""
import re
import sys


def built(cmake_text):
    links = {}
    for target in re.findall(r"add_library\((orvik_\w+)", cmake_text):
        links[target] = set()
    for target, args in re.findall(r"target_link_libraries\((orvik_\w+)([^)]*)\)", cmake_text):
        if target in links:
            links[target] |= {name for name in re.findall(r"\borvik_\w+", args) if name != target}
    return links


def documented(doc_text):
    links = {}
    for line in doc_text.splitlines():
        cells = [c.strip() for c in line.split("|")[1:-1]]
        if len(cells) != 3 or not cells[0].startswith("`"):
            continue
        named = re.search(r"`(orvik_\w+)`", cells[0])
        target = named.group(1) if named else "orvik_" + re.match(r"`(\w+)/`", cells[0]).group(1)
        links[target] = {"orvik_" + name for name in re.findall(r"`(\w+)`", cells[1])}
    return links


def main():
    doc = documented(open(sys.argv[1], encoding="utf-8").read())
    build = built(open(sys.argv[2], encoding="utf-8").read())
    failed = 0
    for target in sorted(set(doc) | set(build)):
        if doc.get(target) != build.get(target):
            failed += 1
            print(f"FAIL: {target}: the table says {sorted(doc.get(target, []))}, the build links {sorted(build.get(target, []))}")
    print(f"{len(build) - failed} layers agree, {failed} differ")
    return 1 if failed or not build else 0


if __name__ == "__main__":
    sys.exit(main())
