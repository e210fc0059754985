#!/usr/bin/python3
"""Reads the DXF files that orvik-cli writes back with ezdxf, an independent
DXF reader, and checks them against the drawing: the reader loads and audits
them without error, and the layers and header values are what the drawing
and the conversion report say.

Usage: readback_test.py ORVIK_CLI MAKE_READBACK_DRAWINGS SAMPLE.jwc
"""
import collections
import html
import datetime
import os
import re
import subprocess
import sys
import tempfile

import ezdxf
import ezdxf.disassemble

# ezdxf repairs these owner handles of the OBJECTS section; the records are
# written as AutoCAD R13 itself writes them.
KNOWN_OWNER_FIXES = {"DICTIONARY(#D)", "DICTIONARY(#17)", "DICTIONARY(#19)", "DICTIONARY(#1A)", "XRECORD(#37)",
                     "MLINESTYLE(#18)"}
# The sample's texts as the TEXT entities must read: half-width kana stay in
# texts, only layer names are rewritten.
SAMPLE_TEXTS = ["居間", "寝室", "浴室", "納戸", "9,000", "ｱﾌﾟﾛｰﾁ（庭）", "中心", "外壁 RC t=150", "ﾓﾙﾀﾙ 12"]
PAPER = {0: (1189, 841), 1: (841, 594), 2: (594, 420), 3: (420, 297), 4: (297, 210), 14: (100000, 70372)}

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def convert(cli, drawing, output, options):
    run = subprocess.run([cli, "convert", "--force", "-o", output, *options, drawing], capture_output=True, text=True)
    check(run.returncode == 0, f"{drawing} {options}: exit {run.returncode}: {run.stderr}")
    return run.stdout


def report_of(stdout):
    """The counts and the used-layer lines of the conversion log."""
    counts = [int(m) for m in re.findall(r" = (-?\d+)$", stdout, re.M)]
    layers = {}
    for line in stdout.split("「使用画層」\n", 1)[1].splitlines():
        m = re.match(r"^(.*?) *色: (\d+)  線種: (\S+)$", line)
        layers[m.group(1)] = (int(m.group(2)), m.group(3))
    return counts, layers


def file_date(path):
    t = datetime.datetime.fromtimestamp(os.stat(path).st_mtime)
    t = t.replace(second=t.second - t.second % 2, microsecond=0)
    days = (t - datetime.datetime(1899, 12, 30)).total_seconds() / 86400
    return days + 2415019


def check_file(name, drawing, dxf, stdout, expect):
    label = f"{name}: "
    try:
        doc = ezdxf.readfile(dxf)
    except Exception as error:  # any refusal of the reader is a failure
        check(False, label + f"ezdxf refused the file: {error}")
        return
    auditor = doc.audit()
    check(not auditor.errors, label + "audit errors: " + "; ".join(e.message for e in auditor.errors))
    unexpected = [f.message for f in auditor.fixes
                  if not any(f.message.endswith(o) for o in KNOWN_OWNER_FIXES)]
    check(not unexpected, label + "unexpected audit fixes: " + "; ".join(unexpected))
    check(doc.encoding == "cp932", label + f"encoding {doc.encoding}")

    counts, report = report_of(stdout)
    # ezdxf adds a layer "Defpoints" of its own to a file without one.
    dxf_layers = {layer.dxf.name: layer for layer in doc.layers
                  if layer.dxf.name != "0" and not (layer.dxf.name == "Defpoints" and "DEFPOINTS" not in report)}
    check(set(dxf_layers) == set(report), label + f"layers {sorted(dxf_layers)} != report {sorted(report)}")
    for layer_name, (color, linetype) in report.items():
        layer = dxf_layers.get(layer_name)
        if layer is None:
            continue
        check(abs(layer.dxf.color) == color, label + f"{layer_name}: colour {layer.dxf.color} != {color}")
        check(layer.dxf.linetype == linetype, label + f"{layer_name}: line type {layer.dxf.linetype} != {linetype}")
        check(layer.is_off() == (layer_name in expect["off"]), label + f"{layer_name}: on/off")

    scale = expect["scale"]
    width, height = PAPER.get(expect["paper"], PAPER[0])
    header = doc.header
    check(tuple(header["$LIMMAX"])[:2] == (width * scale, height * scale), label + f"$LIMMAX {header['$LIMMAX']}")
    check(header["$LTSCALE"] == scale, label + f"$LTSCALE {header['$LTSCALE']}")
    check(abs(header["$TEXTSIZE"] - 2.5 * scale) < 1e-9, label + f"$TEXTSIZE {header['$TEXTSIZE']}")
    lines, arcs, texts, points, virtual = counts
    seed = lines * (4 if "--polylines" in expect["options"] else 1) + arcs + texts + virtual + points * (
        1 if "--points" in expect["options"] else 4) + len([n for n in report if n != "DEFPOINTS"]) + 90
    check(int(header["$HANDSEED"], 16) == seed, label + f"$HANDSEED {header['$HANDSEED']} != {seed:X}")
    # ezdxf sets $TDCREATE itself when it loads a file; $TDUPDATE carries the same value as written.
    check(abs(header["$TDUPDATE"] - file_date(drawing)) < 1e-6, label + f"$TDUPDATE {header['$TDUPDATE']}")
    if "extents" in expect:
        extmin, extmax = expect["extents"]
        check(tuple(header["$EXTMIN"])[:2] == extmin, label + f"$EXTMIN {header['$EXTMIN']}")
        check(tuple(header["$EXTMAX"])[:2] == extmax, label + f"$EXTMAX {header['$EXTMAX']}")
    check("TATEGAKI" in doc.styles if expect.get("vertical") else "TATEGAKI" not in doc.styles, label + "TATEGAKI")

    msp = doc.modelspace()
    found = {kind: len(msp.query(kind)) for kind in ("LINE", "POLYLINE", "CIRCLE", "ARC", "ELLIPSE", "TEXT", "POINT")}
    polylines = msp.query("POLYLINE")
    found["VERTEX"] = sum(len(p.vertices) for p in polylines)
    found["SEQEND"] = sum(1 for p in polylines if p.seqend is not None)
    for kind, count in expect.get("entities", {}).items():
        check(found[kind] == count, label + f"{kind}: {found[kind]} != {count}")
    # An ellipse whose radius maps to 0 becomes a POINT.
    check(found["CIRCLE"] + found["ARC"] + found["ELLIPSE"] + found["POINT"] >= arcs, label + "every arc record is written")
    if "texts" in expect:
        written = sorted(t.dxf.text for t in msp.query("TEXT"))
        check(written == sorted(expect["texts"]), label + f"texts {written}")


def entity_counts(doc):
    """The entities of the model space by kind, each INSERT counted and its
    block's entities with it, as often as it is inserted."""
    def count(layout):
        found = collections.Counter()
        for e in layout:
            found[e.dxftype()] += 1
            if e.dxftype() == "INSERT":
                found.update(count(doc.blocks.get(e.dxf.name)))
        return found
    return count(doc.modelspace())


def same_lines(a, b):
    """Whether two sets of LINEs have the same ends, each within one rounding
    step (a hundred-thousandth of the span: an insertion point and a block's
    coordinates are rounded apart, an element in place once)."""
    def ends(entities):
        return sorted((*tuple(l.dxf.start)[:2], *tuple(l.dxf.end)[:2]) for l in entities if l.dxftype() == "LINE")
    a, b = ends(a), ends(b)
    values = [v for line in a + b for v in line] or [0]
    step = 1e-5 * (max(values) - min(values) + 1)
    return len(a) == len(b) and all(abs(x - y) <= step for p, q in zip(a, b) for x, y in zip(p, q))


SOLID_CORNERS = ("vtx0", "vtx1", "vtx3", "vtx2")  # the order DXF outlines a SOLID in


def simple_solid(solid):
    """Whether the outline of a SOLID, taken as DXF draws it, does not cross
    itself (a triangle repeats a corner; a bowtie's opposite sides cross)."""
    p = [tuple(solid.dxf.get(v))[:2] for v in SOLID_CORNERS]

    def side(a, b, c):
        return (b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0])

    def cross(a, b, c, d):
        return side(a, b, c) * side(a, b, d) < 0 and side(c, d, a) * side(c, d, b) < 0

    return not cross(p[0], p[1], p[2], p[3]) and not cross(p[1], p[2], p[3], p[0])


def check_jww(name, drawing, cli, folder, expect):
    """A JWW drawing in every format: ezdxf loads and audits it cleanly, the
    layers that were hidden are off (shown-only ones on), and the file holds the
    entities the drawing's elements make."""
    for fmt in FORMATS:
        dxf = os.path.join(folder, f"jww-{fmt}.dxf")
        run = subprocess.run([cli, "convert", "--force", "--format", fmt, "-o", dxf, drawing], capture_output=True, text=True)
        check(run.returncode == 0, f"{name} {fmt}: exit {run.returncode}: {run.stderr}")
        if run.returncode != 0:
            continue
        doc = ezdxf.readfile(dxf)
        auditor = doc.audit()
        check(not auditor.errors, f"{name} {fmt}: audit errors: " + "; ".join(e.message for e in auditor.errors))
        if fmt != "dos932":  # beyond the faithful format, nothing for a reader to repair
            check(not auditor.fixes, f"{name} {fmt}: audit fixes: " + "; ".join(e.message for e in auditor.fixes))
        for solid in doc.modelspace().query("SOLID"):  # drawn 10, 11, 13, 12: no two sides may cross
            check(simple_solid(solid), f"{name} {fmt}: a SOLID crosses itself: {[tuple(solid.dxf.get(v))[:2] for v in SOLID_CORNERS]}")
        found = entity_counts(doc)
        if fmt == "r12":  # ellipses as polylines
            found["POLYLINE"], found["ELLIPSE"] = found["POLYLINE"] - expect.get("entities", {}).get("ELLIPSE", 0), expect.get("entities", {}).get("ELLIPSE", 0)
        for kind, count in expect.get("entities", {}).items():
            check(found[kind] == count, f"{name} {fmt}: {kind}: {found[kind]} != {count}")
        check_release(f"{name} {fmt}", dxf, doc, fmt)
        if fmt == FORMATS[0]:
            # Blocks written in place: the entities and the lines ezdxf finds
            # by placing the blocks itself.
            exploded = os.path.join(folder, "jww-exploded.dxf")
            run = subprocess.run([cli, "convert", "--force", "--explode-blocks", "-o", exploded, drawing], capture_output=True, text=True)
            check(run.returncode == 0, f"{name} exploded: exit {run.returncode}: {run.stderr}")
            if run.returncode == 0:
                flat = ezdxf.readfile(exploded)
                placed = entity_counts(flat)
                for kind, count in expect.get("entities", {}).items():
                    wanted = 0 if kind == "INSERT" else count
                    check(placed[kind] == wanted, f"{name} exploded: {kind}: {placed[kind]} != {wanted}")
                check(same_lines(flat.modelspace(), ezdxf.disassemble.recursive_decompose(doc.modelspace())),
                      f"{name} exploded: the lines are not where ezdxf places the blocks' lines")
        for linetype, pattern in expect.get("linetypes", {}).items():  # the drawing's own, and lines drawn with them
            found = [t.value for t in doc.linetypes.get(linetype).pattern_tags.tags if t.code == 49] if linetype in doc.linetypes else None
            check(found == pattern, f"{name} {fmt}: line type {linetype}: {found} != {pattern}")
            check(any(e.dxf.linetype == linetype for e in doc.modelspace().query("LINE")), f"{name} {fmt}: no line of {linetype}")
        if fmt in WITH_LINEWEIGHTS and "lineweights" in expect:  # the lines' printed widths
            weights = {e.dxf.lineweight for e in doc.modelspace().query("LINE")}
            check(weights == expect["lineweights"], f"{name} {fmt}: lineweights {weights}")
        if fmt != "dos932":  # every style a text names is there; a font's carries its family for AutoCAD
            for text in doc.modelspace().query("TEXT"):
                style = doc.styles.get(text.dxf.style) if text.dxf.style in doc.styles else None
                check(style is not None, f"{name} {fmt}: no style {text.dxf.style}")
                if style is not None and "#" in text.dxf.style.replace("#TATEGAKI", ""):
                    family = style.get_xdata("ACAD")[0].value if style.has_xdata("ACAD") else None
                    check(bool(family) and family == expect.get("font", family), f"{name} {fmt}: style {text.dxf.style}: font {family}")
        off = {layer.dxf.name for layer in doc.layers if layer.is_off()}
        if "off" in expect:
            check(off == expect["off"], f"{name} {fmt}: off {off} != {expect['off']}")
        if "texts" in expect:
            written = sorted(t.dxf.text for t in doc.modelspace().query("TEXT"))
            check(written == sorted(expect["texts"]), f"{name} {fmt}: texts {written}")
        if "line" in expect:  # a wall's ends: millimetres on paper times the reference scale
            ends = {(tuple(l.dxf.start)[:2], tuple(l.dxf.end)[:2]) for l in doc.modelspace().query("LINE")}
            check(expect["line"] in ends, f"{name} {fmt}: no line {expect['line']}")


# Which readers must read the Japanese layer names and texts of which output
# format correctly. GDAL decodes every file by its $DWGCODEPAGE and knows the
# code page as ANSI_932 only, UTF-8 as ANSI_65001; it also reads a UTF-8 file
# when told so with its DXF_ENCODING option. The cells no reader must read are recorded, not asserted.
FORMATS = ["dos932", "ansi932", "utf8", "r12", "r2000", "r2007"]
VERSIONS = {"dos932": "AC1012", "ansi932": "AC1012", "utf8": "AC1021", "r12": "AC1009", "r2000": "AC1015",
            "r2007": "AC1021"}
WITH_LINEWEIGHTS = {"utf8", "r2000", "r2007"}
# The entities an AutoCAD R12 file may hold.
R12_ENTITIES = {"LINE", "POINT", "CIRCLE", "ARC", "TRACE", "SOLID", "TEXT", "SHAPE", "INSERT", "ATTDEF", "ATTRIB",
                "POLYLINE", "VERTEX", "SEQEND", "3DFACE", "DIMENSION", "VIEWPORT"}
GDAL_UTF8 = "GDAL, DXF_ENCODING=UTF-8"
MUST_READ = ({("ezdxf", f) for f in FORMATS} | {("GDAL", f) for f in FORMATS if f != "dos932"} |
             {(GDAL_UTF8, "utf8"), (GDAL_UTF8, "r2007"), ("FreeCAD", "utf8"), ("FreeCAD", "r2007")} |
             {(reader, f) for reader in ("LibreOffice Draw", "Inkscape") for f in FORMATS if f != "dos932"})


def characters(texts):
    """The texts' characters, sorted: the formats for readers write a vertical
    text a character at a time."""
    return "".join(sorted("".join(texts)))


def ezdxf_strings(dxf):
    msp = ezdxf.readfile(dxf).modelspace()
    return {e.dxf.layer for e in msp}, [t.dxf.text for t in msp.query("TEXT")]


def gdal_strings(dxf, *config):
    run = subprocess.run(["ogrinfo", *config, "-al", "-q", dxf], capture_output=True, text=True, errors="replace")
    layers = set(re.findall(r"^  Layer \(String\) = (.*)$", run.stdout, re.M))
    texts = [t for t in re.findall(r"^  Text \(String\) = (.*)$", run.stdout, re.M) if t != "(null)"]
    return layers, texts


def quiet_run(command, timeout=180, **kwargs):
    """Runs a reader; None when it did not finish in time."""
    try:
        return subprocess.run(command, capture_output=True, timeout=timeout, **kwargs)
    except subprocess.TimeoutExpired:
        return None


def freecad_strings(dxf):
    """FreeCAD's own DXF import with texts (freecadcmd), run in a home of its own."""
    out = dxf + ".texts"
    if os.path.exists(out):
        os.remove(out)
    home = os.path.join(os.path.dirname(dxf), "freecad-home")
    script = os.path.join(os.path.dirname(os.path.abspath(__file__)), "freecad_texts.py")
    quiet_run(["freecadcmd", script, dxf], env=dict(os.environ, HOME=home))
    if not os.path.exists(out):
        return None, None  # the import failed
    return None, [line for line in open(out, encoding="utf-8").read().split("\n") if line]


def libreoffice_export(dxf, kind):
    """LibreOffice Draw's DXF import exported headless to `kind` (pdf, svg):
    the exported file's path, or None when LibreOffice made none."""
    folder = os.path.dirname(dxf)
    out = os.path.splitext(dxf)[0] + "." + kind
    if os.path.exists(out):
        os.remove(out)
    quiet_run(["soffice", f"-env:UserInstallation=file://{folder}/libreoffice-profile", "--headless",
               "--convert-to", kind, "--outdir", folder, dxf])
    return out if os.path.exists(out) else None


def libreoffice_strings(dxf):
    """LibreOffice Draw's reading printed to PDF; the PDF's texts."""
    pdf = libreoffice_export(dxf, "pdf")
    if pdf is None:
        return None, None
    text = subprocess.run(["pdftotext", pdf, "-"], capture_output=True, text=True).stdout
    return None, [line for line in text.split("\n") if line.strip()]


def libreoffice_paths(dxf):
    """How many paths LibreOffice Draw draws of the file (exported to SVG)."""
    svg = libreoffice_export(dxf, "svg")
    return open(svg, encoding="utf-8", errors="replace").read().count("<path") if svg else None


def check_libreoffice_ellipses(cli, sample, folder):
    """LibreOffice Draw draws no ELLIPSE: it draws the sample's two ellipses
    from r12, where they are polylines, and not from r2000."""
    paths = {}
    for fmt in ("r12", "r2000"):
        dxf = os.path.join(folder, f"ellipses-{fmt}.dxf")
        convert(cli, sample, dxf, ["--format", fmt])
        paths[fmt] = libreoffice_paths(dxf)
    check(None not in paths.values() and paths["r12"] == paths["r2000"] + 2,
          f"LibreOffice draws {paths} paths of the sample in r12 and r2000")


def inkscape_strings(dxf):
    """Inkscape's DXF import as its dialog runs it (the extension dxf_input.py),
    with the encoding a user picks there for the file: UTF-8 for AutoCAD 2007
    files, Shift JIS for the others."""
    data = open(dxf, "rb").read()
    encoding = "utf_8" if b"\r\nAC1021\r\n" in data else "cp932"
    run = quiet_run(["/usr/bin/python3", "/usr/share/inkscape/extensions/dxf_input.py", f"--encoding={encoding}",
                     "--scalemethod=auto", dxf])
    if run is None or run.returncode != 0:
        return None, None
    svg = run.stdout.decode("utf-8", errors="replace")
    texts = [html.unescape(t) for t in re.findall(r"<tspan[^>]*>([^<]*)</tspan>", svg)]
    return None, texts


def librecad_page(dxf):
    """LibreCAD opens the file headless and prints it to PDF (named after the
    file); the page, rasterised, or None when LibreCAD failed."""
    pdf = os.path.splitext(dxf)[0] + ".pdf"
    if os.path.exists(pdf):
        os.remove(pdf)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    try:
        run = subprocess.run(["librecad", "dxf2pdf", "-a", dxf], capture_output=True, env=env, timeout=120)
    except subprocess.TimeoutExpired:
        return None
    if run.returncode != 0 or not os.path.exists(pdf) or os.path.getsize(pdf) < 1000:
        return None
    # The page is the paper of the drawing's limits ($PLIMMAX: 12 x 9 mm in
    # the faithful format, the sheet in the others): rasterised 2,000 pixels wide.
    return subprocess.run(["pdftoppm", "-scale-to", "2000", "-gray", pdf], capture_output=True, check=True).stdout


def librecad_page_size(dxf):
    """The size in millimetres of the page LibreCAD printed the file on."""
    info = subprocess.run(["pdfinfo", os.path.splitext(dxf)[0] + ".pdf"], capture_output=True, text=True).stdout
    found = re.search(r"^Page size: +([0-9.]+) x ([0-9.]+) pts", info, re.M)
    return (float(found[1]) * 25.4 / 72, float(found[2]) * 25.4 / 72) if found else None


def librecad_fonts_differ(dxf):
    """LibreCAD takes a text's style name for its font. The page of the file
    must differ from the page of the same file whose texts all take STANDARD
    (LibreCAD's Latin font, which draws a box for every Japanese character)."""
    data = open(dxf, "rb").read()
    plain = re.sub(rb"\r\n  7\r\nKST32B[^\r]*\r\n", b"\r\n", data)
    plain_dxf = os.path.join(os.path.dirname(dxf), "latin-font.dxf")
    open(plain_dxf, "wb").write(plain)
    return plain != data and librecad_page(dxf) != librecad_page(plain_dxf)


def check_release(label, dxf, doc, fmt):
    """What the format's release holds: R12 only its entities, no handles and
    no CLASSES or OBJECTS; R2000 on, the layouts of both spaces. In every
    format for readers, every text lies inside the extents."""
    data = open(dxf, "rb").read()
    version = re.search(rb"\$ACADVER\r\n  1\r\n(\w+)\r\n", data)  # ezdxf reads R13 as R2000
    check(version and version[1].decode() == VERSIONS[fmt], f"{label}: version {version and version[1]}")
    if fmt == "r12":
        kinds = {e.dxftype() for e in doc.modelspace()} | {e.dxftype() for b in doc.blocks for e in b}
        check(kinds <= R12_ENTITIES, f"{label}: entities beyond R12: {kinds - R12_ENTITIES}")
        check(b"\r\n  5\r\n" not in data and b"CLASSES" not in data and b"OBJECTS" not in data,
              f"{label}: handles, classes or objects in an R12 file")
    if fmt in ("r2000", "r2007"):
        layouts = {o.dxf.name: o.dxf.block_record_handle for o in doc.objects.query("LAYOUT")}
        check(layouts == {"Model": "1F", "Layout1": "1B"}, f"{label}: layouts {layouts}")
    if fmt != "dos932":
        (x0, y0, _), (x1, y1, _) = doc.header["$EXTMIN"], doc.header["$EXTMAX"]
        for text in doc.modelspace().query("TEXT"):
            x, y = tuple(text.dxf.insert)[:2]
            check(x0 - 1e-6 <= x <= x1 + 1e-6 and y0 - 1e-6 <= y <= y1 + 1e-6,
                  f"{label}: text {text.dxf.text} at {x}, {y} outside the extents {x0}, {y0} - {x1}, {y1}")


def same_strings(read, reference):
    """The reader's layer names (when it tells them) and text characters are
    the reference's; blanks aside where it gives only the texts (a PDF's text
    layer spaces them its own way)."""
    (layers, texts), (ref_layers, ref_texts) = read, reference
    if texts is None:
        return False
    if layers is None:
        return characters(texts).replace(" ", "") == characters(ref_texts).replace(" ", "")
    return layers == ref_layers and characters(texts) == characters(ref_texts)


def check_formats(cli, drawings, folder):
    """Each format read by each reader against the faithful format's strings as
    ezdxf reads them (checked against the drawing above); prints the matrix."""
    readers = {"ezdxf": ezdxf_strings, "GDAL": gdal_strings,
               GDAL_UTF8: lambda dxf: gdal_strings(dxf, "--config", "DXF_ENCODING", "UTF-8")}
    # The slower readers read the sample alone, and give its texts only.
    sample_readers = {"FreeCAD": freecad_strings, "LibreOffice Draw": libreoffice_strings,
                      "Inkscape": inkscape_strings}
    matrix, shown = {}, {}
    for name, drawing in drawings:
        reference = None
        for fmt in FORMATS:
            dxf = os.path.join(folder, f"format-{fmt}.dxf")
            run = subprocess.run([cli, "convert", "--force", "--format", fmt, "-o", dxf, drawing],
                                 capture_output=True, text=True)
            check(run.returncode == 0, f"{name} {fmt}: exit {run.returncode}: {run.stderr}")
            if fmt == "dos932":
                reference = ezdxf_strings(dxf)
                faithful = ezdxf.readfile(dxf)
                hidden = [t.dxf.text for t in faithful.modelspace().query("TEXT")
                          if faithful.layers.get(t.dxf.layer).is_off()]
            doc = ezdxf.readfile(dxf)
            auditor = doc.audit()
            check(not auditor.errors, f"{name} {fmt}: audit errors in a {doc.dxfversion} file")
            check(fmt == "dos932" or not auditor.fixes, f"{name} {fmt}: audit fixes: " + "; ".join(e.message for e in auditor.fixes))
            off = {layer.dxf.name for layer in doc.layers if layer.is_off()}
            frozen = {layer.dxf.name for layer in doc.layers if layer.is_frozen()}
            check(frozen == (off if fmt != "dos932" else set()), f"{name} {fmt}: frozen {frozen}, off {off}")
            check_release(f"{name} {fmt}", dxf, doc, fmt)
            for reader, read in {**readers, **(sample_readers if name == "sample" else {})}.items():
                layers, texts = read(dxf)
                if name == "sample":  # whether the texts of the layers that are off show
                    shown[(reader, fmt)] = texts is not None and any(t in texts for t in hidden)
                correct = same_strings((layers, texts), reference)
                matrix.setdefault((reader, fmt), []).append(correct)
                if (reader, fmt) in MUST_READ:
                    check(correct, f"{name} {fmt}: {reader} reads {layers}, {texts} instead of {reference}")
            check(librecad_page(dxf) is not None, f"{name} {fmt}: LibreCAD did not print the file headless")
            if fmt != "dos932":  # printed on the drawing's sheet
                sheet = tuple(doc.header["$PLIMMAX"])[:2]
                size = librecad_page_size(dxf)
                check(sheet[0] >= 210 and size is not None and all(abs(a - b) < 1 for a, b in zip(sorted(size), sorted(sheet))),
                      f"{name} {fmt}: LibreCAD's page {size}, the sheet {sheet}")
            if fmt in ("utf8", "r2007") and name == "sample":  # the other drawings' texts are too small to see
                japanese = librecad_fonts_differ(dxf)
                matrix[(LIBRECAD, fmt)] = [japanese]
                check(japanese, f"{name} {fmt}: LibreCAD draws the texts in its Latin font")
    table = reader_table(readers, matrix) + "\n" + program_table(matrix, shown)
    print(table)
    return table


MATRIX_START, MATRIX_END = "<!-- reader-matrix: written by tests/convert/readback_test.py -->\n", "<!-- /reader-matrix -->"


def reader_table(readers, matrix):
    """The formats document's table of which reader reads which format correctly."""
    rows = ["| reader | " + " | ".join(f"`{fmt}`" for fmt in FORMATS) + " |", "|---" * (len(FORMATS) + 1) + "|"]
    for reader in readers:
        rows.append(f"| {reader} | " + " | ".join("reads Japanese correctly" if all(matrix[(reader, fmt)]) else "garbled"
                                                for fmt in FORMATS) + " |")
    rows.append(f"| {LIBRECAD} | " + " | ".join("loads headless" for _ in FORMATS) + " |")
    for reader in ("FreeCAD", "LibreOffice Draw", "Inkscape"):
        rows.append(f"| {reader} | " + " | ".join("reads Japanese correctly" if all(matrix[(reader, fmt)]) else
                                                "garbled or not read" for fmt in FORMATS) + " |")
    return "\n".join(rows) + "\n"


LIBRECAD = "LibreCAD 2.2 `dxf2pdf`"
LIBRARIES = {"ezdxf", "GDAL"}  # they list every entity, whatever its layer's state

# Which format to choose for which program, and what of the drawing the
# program then shows: the reader whose results stand for it (None: not run
# here), and what the readers' own faults leave to say.
PROGRAMS = [
    ("AutoCAD, AutoCAD LT", None, "r2000", "not run here; `r2007` for AutoCAD 2007 and later"),
    ("JW_CAD's DXF import", None, "r12", "not run here; JW_CAD reads R12"),
    ("laser and CNC software", None, "r12", "not run here; R12 entities only, no handles"),
    ("QGIS, GDAL", "GDAL", "r2000", "texts as points with their strings"),
    ("ezdxf", "ezdxf", "r2007", ""),
    ("LibreCAD", LIBRECAD, "r2007", "texts in its Japanese font kst32b; it hides frozen layers"),
    ("FreeCAD", "FreeCAD", "r2007", "its import reads no CP932 file; it drops SOLIDs"),
    ("LibreOffice Draw", "LibreOffice Draw", "r12", "it draws no ELLIPSE: `r12` makes them polylines"),
    ("Inkscape", "Inkscape", "r12", "choose \"Shift JIS\" in its import dialog; it draws SOLIDs as outlines, and "
     "rotated ELLIPSEs too large (`r12` makes them polylines)"),
]


def program_table(matrix, shown):
    """The formats document's table of the format to choose for each program."""
    rows = ["| program | choose | Japanese text | texts of layers that are off | note |", "|---|---|---|---|---|"]
    for program, reader, fmt, note in PROGRAMS:
        if reader is None or (reader, fmt) not in matrix:
            japanese = hidden = "not run here"
        else:
            japanese = "right" if all(matrix[(reader, fmt)]) else "garbled"
            hidden = ("listed" if reader in LIBRARIES else "not measured" if (reader, fmt) not in shown
                      else "shown" if shown[(reader, fmt)] else "hidden")
        rows.append(f"| {program} | `{fmt}` | {japanese} | {hidden} | {note} |")
    return "\n".join(rows) + "\n"


def check_document_table(document, table):
    """The formats document shows the table the readers gave on this run."""
    text = open(document, encoding="utf-8").read()
    start = text.find(MATRIX_START)
    end = text.find(MATRIX_END)
    check(start >= 0 and end > start, f"{document}: no reader table between its markers")
    shown = text[start + len(MATRIX_START):end] if start >= 0 else ""
    check(shown == table, f"{document}: the reader table differs from this run's; it is now:\n{table}")


def main():
    cli, make_drawings, sample = sys.argv[1:4]
    with tempfile.TemporaryDirectory() as folder:
        subprocess.run([make_drawings, folder], check=True)
        runs = [
            ("sample", sample, [], {"scale": 100, "paper": 2, "off": {"補助線", "DEFPOINTS"},
                                    "extents": ((-10200, -9000), (8200, 4200)), "vertical": True,
                                    "entities": {"LINE": 46, "POLYLINE": 7, "VERTEX": 14, "SEQEND": 7, "CIRCLE": 3,
                                                 "ARC": 2, "ELLIPSE": 2, "TEXT": 9, "POINT": 3},
                                    "texts": SAMPLE_TEXTS}),
            ("sample acad", sample, ["--linetypes", "acad", "--layer-numbers", "--no-defpoints", "--scale", "50",
                                     "--points", "point", "--polylines"],
             {"scale": 50, "paper": 2, "off": {"0_F_補助線", "DEFPOINTS"}, "extents": ((-5100, -4500), (4100, 2100)),
              "vertical": True,
              "entities": {"LINE": 38, "POLYLINE": 1, "VERTEX": 9, "SEQEND": 1, "CIRCLE": 3, "ARC": 2, "ELLIPSE": 2,
                           "TEXT": 9, "POINT": 10},
              "texts": SAMPLE_TEXTS}),
            ("layers", os.path.join(folder, "layers.jwc"), [],
             {"scale": 1, "paper": 14, "off": {"12345678", "2_3_TEXT", "DEFPOINTS"}}),
            ("layers numbered", os.path.join(folder, "layers.jwc"), ["--layer-numbers", "--no-defpoints"],
             {"scale": 1, "paper": 14, "off": {"2_4_12345678", "2_3_TEXT", "DEFPOINTS"}}),
            ("hostile", os.path.join(folder, "hostile.jwc"), [],
             {"scale": 100, "paper": 3, "off": set(), "entities": {"LINE": 4, "ELLIPSE": 0, "POINT": 1, "TEXT": 1},
              "texts": ["x^M^J  0^M^JLINE^M^J  8^M^JINJECTED^M^J 10^M^J0^M^J 20^M^J0^M^J 11^M^J1^M^J 21^M^J1^M^J"
                        "  0^M^JTEXT^M^J  1^M^Jy^ z"]}),
            ("words", os.path.join(folder, "words.jwc"), [],
             {"scale": 200, "paper": 6, "off": set(), "vertical": True, "entities": {"ELLIPSE": 2, "TEXT": 1},
              "texts": ["縦書き"]}),
        ]
        table = check_formats(cli, [("sample", sample), ("layers", os.path.join(folder, "layers.jwc")),
                            ("words", os.path.join(folder, "words.jwc")), ("JWW plan", os.path.join(folder, "plan.jww"))],
                      folder)
        check_document_table(os.path.join(os.path.dirname(os.path.abspath(sample)), "..", "docs", "FORMATS.md"), table)
        check_jww("JWW plan", os.path.join(folder, "plan.jww"), cli, folder,
                  # The ring solid is 39 SOLIDs, the circumference solid a CIRCLE.
                  {"entities": {"LINE": 14, "ARC": 3, "ELLIPSE": 1, "TEXT": 2, "POLYLINE": 1, "POINT": 1, "SOLID": 1 + 39, "CIRCLE": 1,
                                "INSERT": 2},
                   "linetypes": {"long_dashed_dotted": [12, -1.5, 0.25, -1.5], "DOUBLE6": [32.5, -2.5, 2.5, -2.5]},
                   "off": {"補助", "DEFPOINTS"}, "texts": ["居間", "9,100"], "font": "ＭＳ ゴシック",
                   "lineweights": {9, 20, 70, 90},  # pens 1, 2, 7, 9: 0.1 mm (the nearest offered: 0.09), 0.2, 0.7, 0.9
                   "line": ((-4550.0, -3000.0), (4550.0, -3000.0))})
        # The JWW drawings beside the project, when they are there: every element kept.
        shared = os.path.join(os.path.dirname(os.path.abspath(sample)), "..", "..", "shared", "jww-samples")
        samples = {"Test2.jww": {"LINE": 38, "ARC": 4, "TEXT": 23, "POLYLINE": 6},
                   "Test3.jww": {"LINE": 104, "CIRCLE": 1, "ARC": 5, "TEXT": 56, "POLYLINE": 22, "POINT": 11},
                   "2blocks.jww": {"LINE": 2, "CIRCLE": 2, "TEXT": 0, "INSERT": 2},
                   "copy-block.jww": {"LINE": 8, "TEXT": 0, "INSERT": 1},
                   "non_block.jww": {"LINE": 4, "CIRCLE": 2, "TEXT": 0}}
        if not os.path.isdir(shared):
            print(f"skipped: the JWW drawings of {os.path.normpath(shared)} (not there)")
        for file, entities in samples.items() if os.path.isdir(shared) else []:
            check_jww(file, os.path.join(shared, file), cli, folder, {"entities": entities})
        check_libreoffice_ellipses(cli, sample, folder)
        # Curve runs as one record each from AutoCAD 2000 on.
        for fmt in ("r2000", "r2007"):
            dxf = os.path.join(folder, "light.dxf")
            convert(cli, sample, dxf, ["--format", fmt, "--polylines", "--points", "point"])
            doc = ezdxf.readfile(dxf)
            check(not doc.audit().has_errors and not doc.audit().fixes, f"sample {fmt} --polylines: audit")
            found = entity_counts(doc)
            check((found["LWPOLYLINE"], found["POLYLINE"], found["VERTEX"]) == (1, 0, 0),
                  f"sample {fmt} --polylines: {found['LWPOLYLINE']} LWPOLYLINE, {found['POLYLINE']} POLYLINE")
        for name, drawing, options, expect in runs:
            expect["options"] = options
            dxf = os.path.join(folder, "out.dxf")
            stdout = convert(cli, drawing, dxf, options)
            if os.path.exists(dxf):
                check_file(name, drawing, dxf, stdout, expect)
                os.remove(dxf)
    for failure in failures:
        print("FAIL:", failure)
    print(f"{len(runs) - len({f.split(':')[0] for f in failures})} passed, "
          f"{len({f.split(':')[0] for f in failures})} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
