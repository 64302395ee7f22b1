# Reads a drawing sheet written as DXF with ezdxf and prints what the sheet
# test compares: the auditor's counts, which of the given rectangles are
# there as four edges, where the named texts stand, the scale ticks above
# and right of the zone grid, the x of the protection notice lines and the
# texts holding a line break.
#
# usage: sheetdxf.py file.dxf "x1,y1,x2,y2;..." "text|text|..." tickTopY tickSideX
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
print("audit errors=%d fixes=%d" % (len(auditor.errors), len(auditor.fixes)))
msp = doc.modelspace()


def r3(v):
    return round(v + 0.0, 3)


segments = set()
for l in msp.query("LINE"):
    a = (r3(l.dxf.start[0]), r3(l.dxf.start[1]))
    b = (r3(l.dxf.end[0]), r3(l.dxf.end[1]))
    segments.add((a, b))
    segments.add((b, a))
for spec in filter(None, sys.argv[2].split(";")):
    x1, y1, x2, y2 = (float(v) for v in spec.split(","))
    edges = [((x1, y1), (x1, y2)), ((x1, y2), (x2, y2)), ((x2, y2), (x2, y1)), ((x2, y1), (x1, y1))]
    found = all((r3(a[0]), r3(a[1])) and ((r3(a[0]), r3(a[1])), (r3(b[0]), r3(b[1]))) in segments for a, b in edges)
    print("rect %s %s" % (spec, "found" if found else "missing"))

texts = list(msp.query("TEXT"))
for name in filter(None, sys.argv[3].split("|")):
    at = sorted("%.3f %.3f" % (t.dxf.insert[0], t.dxf.insert[1]) for t in texts if t.dxf.text == name)
    print("text %s: %s" % (name, ", ".join(at) if at else "none"))

top = float(sys.argv[4])
side = float(sys.argv[5])
ticks_top = sum(1 for l in msp.query("LINE")
                if abs(l.dxf.start[1] - top) < 1e-6 and abs(l.dxf.start[0] - l.dxf.end[0]) < 1e-6
                and l.dxf.end[1] > top)
ticks_side = sum(1 for l in msp.query("LINE")
                 if abs(l.dxf.start[0] - side) < 1e-6 and abs(l.dxf.start[1] - l.dxf.end[1]) < 1e-6
                 and l.dxf.end[0] > side)
print("ticks top %d side %d" % (ticks_top, ticks_side))
notice = sorted(r3(t.dxf.insert[0]) for t in texts if abs(t.dxf.rotation - 90) < 1e-6 and t.dxf.text[:2] in
                ("Co", "or", "ou", "of"))
print("notice " + " ".join("%.1f" % x for x in notice))
print("line breaks in texts %d" % sum(1 for t in texts if "\r" in t.dxf.text or "\n" in t.dxf.text))
