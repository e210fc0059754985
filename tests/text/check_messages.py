#!/usr/bin/python3
"""Checks that every CP932 message literal says what the comment beside it
says: the escapes in the message files decode to the Japanese text that a
reader sees in the comment at the end of the literal.

Usage: check_messages.py FILE...
"""
import re
import sys

LITERALS_WITH_COMMENT = re.compile(r'((?:"(?:[^"\\]|\\.)*"\s*)+)[;,}]*\s*//\s*(.+)')
LITERAL = re.compile(r'"((?:[^"\\]|\\.)*)"')


def decode(literals):
    data = b""
    for body in LITERAL.findall(literals):
        data += re.sub(rb"\\x([0-9A-Fa-f]{2})", lambda m: bytes([int(m.group(1), 16)]),
                       body.encode("ascii")).replace(b"\\r", b"\r").replace(b"\\n", b"\n")
    return data.decode("cp932")


def main():
    text = "".join(open(path, encoding="utf-8").read() for path in sys.argv[1:])
    checked = failed = 0
    for match in LITERALS_WITH_COMMENT.finditer(text):
        literals, comment = match.groups()
        if "\\x" not in literals:
            continue
        written = decode(literals).replace("\r\n", " / ")
        checked += 1
        if written.strip() != comment.strip():
            failed += 1
            print(f"FAIL: {comment.strip()!r} is written {written!r}")
    print(f"{checked - failed} passed, {failed} failed")
    return 1 if failed or not checked else 0


if __name__ == "__main__":
    sys.exit(main())
