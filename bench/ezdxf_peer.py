#!/usr/bin/python3
"""The peer of the speed benchmark: ezdxf writing the same entities ORVIK
wrote. Reads ORVIK's DXF with a plain group reader (not timed), then times
ezdxf building a drawing of the same layers, line types and entities (LINE,
POLYLINE with vertices, CIRCLE, ARC, ELLIPSE, TEXT, POINT) and saving it.
Prints the seconds.

Usage: ezdxf_peer.py ORVIK.dxf OUTPUT.dxf
"""
import sys
import time

import ezdxf


def groups(path):
    with open(path, encoding="cp932", errors="replace", newline="") as f:
        lines = f.read().split("\r\n")
    for i in range(0, len(lines) - 1, 2):
        yield int(lines[i]), lines[i + 1]


def records(path):
    record = None
    for code, value in groups(path):
        if code == 0:
            if record:
                yield record
            record = [value, {}]
        elif record is not None:
            record[1].setdefault(code, value)
    if record:
        yield record


def main():
    source, output = sys.argv[1:3]
    layers, linetypes, entities = [], [], []
    section = None
    polyline = None
    for kind, g in records(source):
        if kind == "SECTION":
            section = g.get(2)
        elif section == "TABLES" and kind == "LAYER":
            layers.append((g[2], int(g.get(62, 7)), g.get(6, "CONTINUOUS")))
        elif section == "TABLES" and kind == "LTYPE" and g[2] not in ("BYBLOCK", "BYLAYER", "CONTINUOUS"):
            linetypes.append((g[2], g.get(3, "")))
        elif section == "ENTITIES":
            if kind == "POLYLINE":
                polyline = [g, []]
                entities.append(("POLYLINE", polyline))
            elif kind == "VERTEX" and polyline:
                polyline[1].append((float(g[10]), float(g[20]), float(g.get(42, 0))))
            elif kind in ("LINE", "CIRCLE", "ARC", "ELLIPSE", "TEXT", "POINT"):
                entities.append((kind, g))

    started = time.perf_counter()
    doc = ezdxf.new("R2000")
    for name, description in linetypes:
        if name not in doc.linetypes:
            doc.linetypes.add(name, pattern=[0.0], description=description)
    for name, color, linetype in layers:
        if name not in doc.layers:
            doc.layers.add(name, color=color, linetype=linetype if linetype in doc.linetypes else "CONTINUOUS")
    msp = doc.modelspace()
    for kind, g in entities:
        a = {"layer": g[0][8] if kind == "POLYLINE" else g[8]}
        if kind == "LINE":
            msp.add_line((float(g[10]), float(g[20])), (float(g[11]), float(g[21])), dxfattribs=a)
        elif kind == "POLYLINE":
            head, vertices = g
            a = {"layer": head[8]}
            p = msp.add_polyline2d([(x, y) for x, y, _ in vertices], dxfattribs=a, close=head.get(70, "0").strip() == "1")
            for vertex, (_, _, bulge) in zip(p.vertices, vertices):
                vertex.dxf.bulge = bulge
        elif kind == "CIRCLE":
            msp.add_circle((float(g[10]), float(g[20])), float(g[40]), dxfattribs=a)
        elif kind == "ARC":
            msp.add_arc((float(g[10]), float(g[20])), float(g[40]), float(g[50]), float(g[51]), dxfattribs=a)
        elif kind == "ELLIPSE":
            msp.add_ellipse((float(g[10]), float(g[20])), (float(g[11]), float(g[21])), float(g[40]),
                            float(g.get(41, 0)), float(g.get(42, 6.283185307179586)), dxfattribs=a)
        elif kind == "TEXT":
            a["height"] = float(g[40])
            a["rotation"] = float(g.get(50, 0))
            msp.add_text(g.get(1, ""), dxfattribs=a).set_placement((float(g[10]), float(g[20])))
        elif kind == "POINT":
            msp.add_point((float(g[10]), float(g[20])), dxfattribs=a)
    doc.saveas(output)
    print(f"{time.perf_counter() - started:.3f}")


if __name__ == "__main__":
    main()
