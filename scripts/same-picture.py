#!/usr/bin/env python3
"""Usage: same-picture.py A.svg B.svg

Exit 0 when the two SVG pictures are the same but for the last bits of
their numbers (each pair within 1e-12 of the larger): the picture's sines
and cosines come from the system's C library, whose last bits differ
between glibc and WebAssembly's musl. Text, shapes, colours and the order
of everything must match exactly.
"""
import re
import sys

NUMBER = re.compile(rb"-?\d+(?:\.\d+)?(?:e[-+]?\d+)?")


def parts(data):
    return NUMBER.split(data), [float(n) for n in NUMBER.findall(data)]


def main():
    with open(sys.argv[1], "rb") as a, open(sys.argv[2], "rb") as b:
        (text_a, numbers_a), (text_b, numbers_b) = parts(a.read()), parts(b.read())
    if text_a != text_b or len(numbers_a) != len(numbers_b):
        print(f"{sys.argv[2]}: not the picture of {sys.argv[1]}")
        return 1
    for x, y in zip(numbers_a, numbers_b):
        if abs(x - y) > 1e-12 * max(abs(x), abs(y), 1e-300):
            print(f"{sys.argv[2]}: {y!r} where {sys.argv[1]} has {x!r}")
            return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
