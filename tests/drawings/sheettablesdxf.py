# Reads a drawing sheet written as DXF, every insert expanded, and prints a
# "fault" line for each table or revision text out of its place:
#   sheettablesdxf.py FILE FLOOR LEFT FRAME_X1 FRAME_X2 REVISION
# FLOOR is the lowest a table over the title block may reach, LEFT the
# block's left edge (a table reaching right of it stands over the block),
# FRAME_X1..FRAME_X2 the inner frame, REVISION "x,y" the lower left corner
# of the ISO revision table's rows (the top of the title block), or "-".
# Tables are the frames and texts on layers 17 to 19 and the carrier
# table's block "TABLE2" whole; the pictures' blocks are not tables.
# A text's box: its characters (trailing blanks off) times its height times
# its width factor, by its height, from its insert point.
import sys

import ezdxf
from ezdxf import bbox

path, floor, left, fx1, fx2, revision = sys.argv[1:7]
floor, left, fx1, fx2 = float(floor), float(left), float(fx1), float(fx2)
doc = ezdxf.readfile(path)
eps = 1e-3
faults = []


def flat(entity):
    if entity.dxftype() == "INSERT":
        for v in entity.virtual_entities():
            yield from flat(v)
    else:
        yield entity


def label(e):
    return e.dxf.text if e.dxftype() == "TEXT" else ""


def box(e):
    if e.dxftype() == "TEXT":
        h = e.dxf.height
        x, y = e.dxf.insert.x, e.dxf.insert.y
        return x, y, x + len(e.dxf.text.rstrip()) * h * e.dxf.get("width", 1.0), y + h
    if e.dxftype() == "LINE":
        s, t = e.dxf.start, e.dxf.end
        return min(s.x, t.x), min(s.y, t.y), max(s.x, t.x), max(s.y, t.y)
    return None


tables, carrier, picture, sheet = [], [], [], []
for e in doc.modelspace():
    name = e.dxf.name.upper() if e.dxftype() == "INSERT" else ""
    parts = list(flat(e))
    if name == "TABLE2":
        carrier += parts
    elif name == "CARR":
        picture += parts
    elif name == "FRAME_1":
        sheet += parts
    elif name in ("", "TABLE1"):
        tables += [p for p in parts if name or p.dxf.layer in ("17", "18", "19")]

low = None
for e in tables + carrier:
    b = box(e)
    if b is None:
        continue
    if b[2] > left + eps:
        low = b[1] if low is None else min(low, b[1])
    if b[2] > left + eps and b[1] < floor - eps:
        faults.append("%s %r down to %.3f, over the title block" % (e.dxftype(), label(e), b[1]))
    if e.dxftype() == "TEXT" and e.dxf.height < 1.6 - eps:
        faults.append("table text %r %.3f high" % (e.dxf.text, e.dxf.height))
print("tables down to %.3f" % (low if low is not None else 0))

if carrier:
    # The picture's lowest point: its lines, circles and arcs by their
    # extents, its texts (which stand on their insert points) by those.
    drawn = [e for e in picture if e.dxftype() != "TEXT"]
    lowest = min([bbox.extents(drawn).extmin.y] + [e.dxf.insert.y for e in picture if e.dxftype() == "TEXT"])
    labels = 0
    for e in carrier:
        b = box(e)
        if b is None:
            continue
        if b[3] > lowest - 2 + eps:
            faults.append("carrier table %s %r up to %.3f, picture down to %.3f"
                          % (e.dxftype(), label(e), b[3], lowest))
        if b[0] < fx1 - eps or b[2] > fx2 + eps:
            faults.append("carrier table %s %r from %.3f to %.3f, out of the frame"
                          % (e.dxftype(), label(e), b[0], b[2]))
        if e.dxftype() == "TEXT":
            t = e.dxf.text.strip()
            if e.dxf.height < 1.8 - eps:
                faults.append("carrier text %r %.3f high" % (t, e.dxf.height))
            if len(t) > 1 and t[0] in "ie" and t[1:].isdigit():
                labels += 1
    print("carrier rows %d" % labels)

if revision != "-":
    ox, oy = (float(v) for v in revision.split(","))
    edges = [0, 8, 25, 40, 70, 180]
    texts = 0
    for e in sheet:
        if e.dxftype() != "TEXT" or not e.dxf.text.strip():
            continue
        x, y = e.dxf.insert.x - ox, e.dxf.insert.y - oy
        if not (0 <= x <= 180 and 0 <= y <= 9 * 3.5):
            continue
        texts += 1
        row = int(y // 3.5)
        right = min(r for r in edges if r > x)
        b = box(e)
        if b[2] > ox + right + eps or b[1] < oy + 3.5 * row - eps or b[3] > oy + 3.5 * (row + 1) + eps:
            faults.append("revision text %r at %.3f %.3f leaves its cell" % (e.dxf.text, x, y))
        if e.dxf.height < 0.6 * 1.75 - eps:
            faults.append("revision text %r %.3f high" % (e.dxf.text, e.dxf.height))
    print("revision texts %d" % texts)

for f in faults:
    print("fault " + f)
