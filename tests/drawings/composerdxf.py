# Reads one stage view written as DXF and prints what the composer test
# compares: the auditor's counts (the SEQEND quirk of older ezdxf set apart,
# as in the other drawing checks), the blocks the file defines, every insert
# whose block is missing (compared without regard to case) and the
# modelspace inserts with their points and scales (names in upper case:
# the devices match block names without regard to case).
import re
import sys

import ezdxf
from ezdxf import bbox
from ezdxf.disassemble import recursive_decompose

from dxfquirk import is_quirk, quirk

doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
fixes = [f for f in auditor.fixes
         if not (quirk and f.message.startswith("Deleted SEQEND") and "invalid owner handle #None" in f.message)]
print("audit errors=%d fixes=%d" % (len(auditor.errors), len(fixes)))
names = sorted(b.name for b in doc.blocks if not b.name.startswith("*"))
print("blocks " + " ".join(names))
defined = {n.upper() for n in names}
for layout in [doc.modelspace()] + [b for b in doc.blocks]:
    for e in layout.query("INSERT"):
        if e.dxf.name.upper() not in defined:
            print("undefined %s" % e.dxf.name)
for e in doc.modelspace().query("INSERT"):
    print("insert %s %.3f %.3f %.6f %.6f %.1f" % (e.dxf.name.upper(), e.dxf.insert[0], e.dxf.insert[1],
                                               e.dxf.xscale, e.dxf.yscale, e.dxf.rotation))
# With "places FLOOR LEFT X1 X2 REVISION", inserts expanded, a "fault" line for: a table part right of LEFT (over
# the title block) below FLOOR; a table text under 1.6 high; a part of the carrier table ("TABLE2") out of the
# frame X1..X2, within 2 under the carrier picture or, a text, under 1.8 high; a revision text (rows from
# REVISION, "-" none) out of its cell or under 60 % of its lettering. A text's box: its characters times its
# height times its width factor, by its height.
if len(sys.argv) > 2 and sys.argv[2] == "places":
    floor, left, x1, x2 = (float(v) for v in sys.argv[3:7])
    parts = {}
    for e in doc.modelspace():
        key = e.dxf.name.upper() if e.dxftype() == "INSERT" else e.dxf.layer
        parts.setdefault(key, []).extend(p for p in recursive_decompose([e]) if p.dxftype() in ("LINE", "TEXT"))

    def box(e):
        if e.dxftype() == "LINE":
            return (min(e.dxf.start.x, e.dxf.end.x), min(e.dxf.start.y, e.dxf.end.y),
                    max(e.dxf.start.x, e.dxf.end.x), max(e.dxf.start.y, e.dxf.end.y))
        x, y, h = e.dxf.insert.x, e.dxf.insert.y, e.dxf.height
        return x, y, x + len(e.dxf.text.rstrip()) * h * e.dxf.width, y + h
    picture = list(recursive_decompose(doc.modelspace().query("INSERT[name=='CARR']")))
    low = min([bbox.extents(e for e in picture if e.dxftype() != "TEXT").extmin.y]
              + [e.dxf.insert.y for e in picture if e.dxftype() == "TEXT"]) if picture else 1e9
    carrier = parts.get("TABLE2", [])
    faults = [e for e in carrier if box(e)[3] > low - 2 + 1e-3 or box(e)[0] < x1 - 1e-3 or box(e)[2] > x2 + 1e-3
              or e.dxftype() == "TEXT" and e.dxf.height < 1.8 - 1e-3]
    faults += [e for e in carrier + parts.get("17", []) + parts.get("18", []) + parts.get("19", [])
               if box(e)[2] > left and box(e)[1] < floor - 1e-3 or e.dxftype() == "TEXT" and e.dxf.height < 1.6 - 1e-3]
    print("carrier rows %d" % sum(e.dxftype() == "TEXT" and re.fullmatch(r" *[ie]\d+", e.dxf.text) is not None
                                  for e in carrier))
    if sys.argv[7] != "-":
        # "x,y" the ISO revision table; "x,y,ROW,HEIGHT,R1/R2/..." rows of ROW high, lettering HEIGHT, columns
        # ending at R1, R2, ... (the DIN block's change rows).
        given = sys.argv[7].split(",")
        ox, oy = float(given[0]), float(given[1])
        row, high, rights = (float(given[2]), float(given[3]), [float(v) for v in given[4].split("/")]) \
            if len(given) > 2 else (3.5, 1.75, [8, 25, 40, 70, 180])
        rows = [e for e in parts.get("FRAME_1", []) if e.dxftype() == "TEXT" and e.dxf.text.strip()
                and 0 <= e.dxf.insert.x - ox <= rights[-1] and 0 <= e.dxf.insert.y - oy <= 9 * row]
        for e in rows:
            b = box(e)
            right, bottom = min(r for r in rights if r > b[0] - ox), oy + row * ((b[1] - oy) // row)
            if b[2] > ox + right + 1e-3 or b[3] > bottom + row + 1e-3 or e.dxf.height < 0.6 * high - 1e-3:
                faults.append(e)
        print("revision texts %d" % len(rows))
    for e in faults:
        print("fault %s %r at %.3f %.3f to %.3f %.3f" % ((e.dxftype(), e.dxf.text if e.dxftype() == "TEXT" else "")
                                                      + box(e)))
# With a second argument: the lowest point of the tables' lines and texts (layers 17 to 19), inserts resolved.
if len(sys.argv) == 3:
    low = [min(e.dxf.start.y, e.dxf.end.y) if e.dxftype() == "LINE" else e.dxf.insert.y
           for e in recursive_decompose(doc.modelspace())
           if e.dxftype() in ("LINE", "TEXT") and e.dxf.layer in ("17", "18", "19")]
    print("tables down to %.3f" % min(low, default=0))
