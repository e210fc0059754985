"""Run by freecadcmd: imports the DXF file named last on the command line
with FreeCAD's own DXF import, texts included, and writes the texts it made
(one per line) to that name plus ".texts"; nothing when the import fails."""
import sys

import FreeCAD

FreeCAD.ParamGet("User parameter:BaseApp/Preferences/Mod/Draft").SetBool("dxftext", True)
import importDXF  # noqa: E402  (reads the preference above when imported)

path = sys.argv[-1]
doc = FreeCAD.newDocument("imported")
importDXF.insert(path, doc.Name)
texts = ["".join(o.Text) for o in doc.Objects if hasattr(o, "Text")]
with open(path + ".texts", "w", encoding="utf-8") as out:
    out.write("".join(t + "\n" for t in texts))
