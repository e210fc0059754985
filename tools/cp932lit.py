#!/usr/bin/env python3
"""Print a C++ string literal holding the CP932 bytes of each argument.

The core keeps Japanese texts as CP932 byte strings; write them as escapes
generated here, with the readable text in a comment beside them. Printable
ASCII stays readable; every byte of a double-byte character is escaped.
"""
import sys


def literal(text: str) -> str:
    out, prev_hex = '"', False
    for ch in text:
        data = ch.encode("cp932")
        if len(data) == 1 and 0x20 <= data[0] < 0x7F and ch not in '"\\':
            if prev_hex and ch in "0123456789abcdefABCDEF":
                out += '" "'  # a hex escape would swallow this digit
            out += ch
            prev_hex = False
        else:
            out += "".join("\\x%02X" % b for b in data)
            prev_hex = True
    return out + '"'


for arg in sys.argv[1:]:
    print(literal(arg) + "  // " + arg)
