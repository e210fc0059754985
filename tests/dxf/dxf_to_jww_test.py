#!/usr/bin/python3
"""DXF files from other programs and from ORVIK itself, converted to JWW and
back to DXF by orvik-cli, read by ezdxf: the elements, their places, the
layers and the Japanese texts come back.

The DXF files are made here: by ezdxf in R12, R2000 (ANSI_932) and R2018
(UTF-8) with every kind of entity ORVIK reads, by GDAL's ogr2ogr, and by
orvik-cli from the sample drawing.

Usage: dxf_to_jww_test.py ORVIK_CLI SAMPLE.jwc
"""
import collections
import json
import logging
import os
import shutil
import subprocess
import sys
import tempfile

import ezdxf
from ezdxf import bbox

logging.getLogger("matplotlib").setLevel(logging.ERROR)  # ezdxf's text extents ask for fonts this machine lacks
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def run(*args):
    done = subprocess.run(args, capture_output=True, text=True)
    return done.returncode, done.stdout + done.stderr


def ezdxf_drawing(version):
    doc = ezdxf.new(version, setup=True)
    doc.header["$INSUNITS"] = 4  # millimetres
    if version != "R2018":
        doc.encoding = "cp932"  # $DWGCODEPAGE ANSI_932
    doc.layers.add("壁", color=1)
    doc.layers.add("OFF", color=3).off()
    msp = doc.modelspace()
    inner = doc.blocks.new("INNER")
    inner.add_line((0, 0), (100, 0))
    door = doc.blocks.new("DOOR", base_point=(50, 0))
    door.add_arc((50, 0), 900, 0, 90)
    door.add_blockref("INNER", (50, 0))
    msp.add_line((-5000, -3000), (5000, -3000), dxfattribs={"layer": "壁"})
    msp.add_line((-5000, 3000), (5000, 3000), dxfattribs={"layer": "OFF", "color": 5})
    msp.add_circle((0, 0), 500)
    msp.add_arc((1000, 1000), 300, 30, 200)
    msp.add_point((100, 100))
    msp.add_text("居間", dxfattribs={"height": 300, "insert": (-2000, 0), "layer": "壁"})
    msp.add_solid([(0, 0), (100, 0), (0, 100), (100, 100)])
    msp.add_blockref("DOOR", (2000, -2000), dxfattribs={"xscale": 2, "yscale": 2, "rotation": 30})
    msp.add_polyline2d([(0, -1000), (1000, -1000), (1000, -500)])
    if version != "R12":
        msp.add_ellipse((3000, 0), major_axis=(500, 0), ratio=0.5, start_param=0, end_param=3.141592653589793)
        msp.add_lwpolyline([(0, 2000, 0, 0, 0.5), (1000, 2000, 0, 0, 0), (1000, 2500)], format="xyseb")
        msp.add_spline([(0, -2500), (500, -2000), (1000, -2500), (1500, -2000)])
        msp.add_mtext("寝室\\P2F", dxfattribs={"char_height": 250, "insert": (-3000, 2000)})
        hatch = msp.add_hatch(color=2)
        hatch.paths.add_polyline_path([(3000, 2000), (4000, 2000), (4000, 2800), (3000, 2800)], is_closed=True)
        dim = msp.add_linear_dim(base=(0, -3500), p1=(-5000, -3000), p2=(5000, -3000))
        dim.render()
    if version == "R2018":
        msp.add_line((-4000, -2000), (-3000, -2000), dxfattribs={"true_color": 0x336699})
    return doc


def entity_counts(doc):
    return collections.Counter(e.dxftype() for e in doc.modelspace())


def lines_of(doc):
    return sorted((e.dxf.start.x, e.dxf.start.y, e.dxf.end.x, e.dxf.end.y) for e in doc.modelspace().query("LINE"))


def same_lines(a, b, tolerance):
    return len(a) == len(b) and all(max(abs(p - q) for p, q in zip(x, y)) <= tolerance for x, y in zip(a, b))


def round_trip(cli, source, work, name):
    """The DXF file converted to JWW and back: the DXF read back, or None."""
    jww, back = os.path.join(work, name + ".jww"), os.path.join(work, name + "-back.dxf")
    code, out = run(cli, "convert", "--force", "-q", "--to", "jww", "-o", jww, source)
    check(code in (0, 3), f"{name}: DXF to JWW: exit {code}: {out}")
    code, out = run(cli, "convert", "--force", "-q", "-o", back, jww)
    check(code == 0, f"{name}: JWW to DXF: exit {code}: {out}")
    if not os.path.exists(back):
        return None
    return ezdxf.readfile(back)


def texts_of(doc):
    return sorted(e.dxf.text for e in doc.modelspace().query("TEXT"))


def check_ezdxf_files(cli, work):
    for version in ("R12", "R2000", "R2018"):
        source = os.path.join(work, f"ezdxf-{version}.dxf")
        ezdxf_drawing(version).saveas(source)
        doc = ezdxf.readfile(source)
        back = round_trip(cli, source, work, f"ezdxf-{version}")
        if back is None:
            continue
        name = f"ezdxf {version}"
        # Lines stay lines, where they were (the drawing lies on A3 at 1/100: not moved).
        original = lines_of(doc)
        returned = lines_of(back)
        for line in original:
            check(any(max(abs(p - q) for p, q in zip(line, r)) <= 0.1 for r in returned),
                  f"{name}: line {line} not back")
        layers = {layer.dxf.name for layer in back.layers}
        check("壁" in layers, f"{name}: layer 壁 lost: {sorted(layers)}")
        texts = texts_of(back)
        check("居間" in texts, f"{name}: 居間 lost: {texts}")
        if version != "R12":
            check("寝室" in texts and "2F" in texts, f"{name}: the MTEXT's lines lost: {texts}")
            check(len(back.modelspace().query("SOLID")) >= 3, f"{name}: the hatch's solids lost")
            check(any(t.startswith("10000") or t == "10000" for t in texts), f"{name}: the dimension's text lost: {texts}")
        counts = entity_counts(back)
        doors = [e for e in back.modelspace().query("INSERT") if e.dxf.name.upper().endswith("DOOR")]
        check(len(doors) == 1, f"{name}: insertions of DOOR {len(doors)}")
        check(counts["CIRCLE"] >= 1 and counts["ARC"] >= 1, f"{name}: circles and arcs {counts}")
        # The whole drawing where it was, within a millimetre.
        before, after = bbox.extents(doc.modelspace()), bbox.extents(back.modelspace())
        check(abs(before.extmin.x - after.extmin.x) < 1 and abs(before.extmax.y - after.extmax.y) < 1,
              f"{name}: extents {before} became {after}")


def check_orvik_files(cli, sample, work):
    """ORVIK's own DXF: every line, text and arc back, as the writer rounds them."""
    source = os.path.join(work, "sample.dxf")
    code, out = run(cli, "convert", "--force", "-q", "-o", source, sample)
    check(code == 0, f"sample: {out}")
    doc = ezdxf.readfile(source)
    back = round_trip(cli, source, work, "sample")
    if back is None:
        return
    check(same_lines(lines_of(doc), lines_of(back), 0.1), "sample: lines differ")
    check(texts_of(doc) == texts_of(back), f"sample: texts {texts_of(doc)} became {texts_of(back)}")
    before, after = entity_counts(doc), entity_counts(back)
    for kind in ("LINE", "TEXT", "CIRCLE", "POINT"):
        check(before[kind] == after[kind], f"sample: {kind} {before[kind]} became {after[kind]}")


def check_gdal_file(cli, work):
    if not shutil.which("ogr2ogr"):
        check(False, "ogr2ogr is missing")
        return
    geojson = os.path.join(work, "site.geojson")
    with open(geojson, "w", encoding="utf-8") as f:
        json.dump({"type": "FeatureCollection", "features": [
            {"type": "Feature", "properties": {}, "geometry": {"type": "LineString",
                                                              "coordinates": [[0, 0], [3000, 0], [3000, 2000]]}},
            {"type": "Feature", "properties": {}, "geometry": {"type": "Point", "coordinates": [1000, 1000]}}]}, f)
    source = os.path.join(work, "site.dxf")
    code, out = run("ogr2ogr", "-f", "DXF", source, geojson)
    check(code == 0, f"ogr2ogr: {out}")
    back = round_trip(cli, source, work, "site")
    if back is None:
        return
    # GDAL's files say inches; the drawing, too large to lie on the paper
    # where it is, is moved to the paper's centre: the lines' shapes and
    # sizes come back.
    def from_corner(lines):
        x0 = min(min(l[0], l[2]) for l in lines) if lines else 0
        y0 = min(min(l[1], l[3]) for l in lines) if lines else 0
        return sorted((l[0] - x0, l[1] - y0, l[2] - x0, l[3] - y0) for l in lines)
    returned = from_corner(lines_of(back))
    expected = from_corner([(0, 0, 3000 * 25.4, 0), (3000 * 25.4, 0, 3000 * 25.4, 2000 * 25.4)])
    check(same_lines(returned, expected, 0.5), f"GDAL: lines {returned}")


def main():
    cli, sample = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory() as work:
        check_ezdxf_files(cli, work)
        check_orvik_files(cli, sample, work)
        check_gdal_file(cli, work)
    for failure in failures:
        print("FAIL:", failure)
    print("DXF to JWW and back:", "failed" if failures else "passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
