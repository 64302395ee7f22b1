# Per NAME BLOCK (DIR/NAME.dxf, "-" the model space): the letters; the marks (layer "3" circles) and labels out of
# the frame (layer "3" rectangle); letters within 0.3 of their height; the layer "0" line through all marks; the arcs'
# layers (not dFa's, dNf's); C (x = 0); the other marks' spacing 1-3, 2-4; the extents holding frame and data box,
# or "bild" inserting BLOCK at (W s + 0.5, 119.5 - T s), s = 14/W, with the outline below (F = 98 - (T - B) s).
import math, sys, ezdxf
for name, block in zip(sys.argv[2::2], sys.argv[3::2]):
    doc = ezdxf.readfile("%s/%s.dxf" % (sys.argv[1], name))
    sp = doc.modelspace() if block == "-" else doc.blocks.get(block)
    fr = [l for l in sp.query("LINE") if l.dxf.layer == "3"]
    W = max(abs(p[0]) for l in fr for p in (l.dxf.start, l.dxf.end))
    low, B, T = sorted({round(l.dxf.start[1], 9) for l in fr if abs(l.dxf.start[1] - l.dxf.end[1]) < 1e-9})
    def box(t, g=0):  # about the text's corners, turned by its rotation, g wider
        w, h, r = t.dxf.width * t.dxf.height * len(t.dxf.text), t.dxf.height, math.radians(t.dxf.rotation)
        c = [(t.dxf.insert[0] + u * math.cos(r) - v * math.sin(r), t.dxf.insert[1] + u * math.sin(r) + v * math.cos(r))
             for u, v in ((0, 0), (w, 0), (w, h), (0, h))]
        return min(x for x, y in c) - g, min(y for x, y in c) - g, max(x for x, y in c) + g, max(y for x, y in c) + g
    out_ = lambda b: not (-W - 1e-6 <= b[0] and b[2] <= W + 1e-6 and B - 1e-6 <= b[1] and b[3] <= T + 1e-6)
    marks = [(c.dxf.center[0], c.dxf.center[1], c.dxf.radius) for c in sp.query("CIRCLE") if c.dxf.layer == "3"]
    texts = [t for t in sp.query("TEXT") if "=" not in t.dxf.text]
    letters = [t for t in texts if len(t.dxf.text) == 1]
    near = sum(box(s, 0.3 * s.dxf.height)[0] < box(t)[2] and box(t)[0] < box(s, 0.3 * s.dxf.height)[2] and
               box(s, 0.3 * s.dxf.height)[1] < box(t)[3] and box(t)[1] < box(s, 0.3 * s.dxf.height)[3]
               for i, s in enumerate(letters) for t in letters[i + 1:])
    (x1, y1, _), (x2, y2, _) = [(l.dxf.start, l.dxf.end) for l in sp.query("LINE") if l.dxf.layer == "0"][0]
    n = math.hypot(x2 - x1, y2 - y1)
    at = {(x, y): ((x - x1) * (x2 - x1) + (y - y1) * (y2 - y1)) / n for x, y, r in marks}
    on = all(abs((x - x1) * (y2 - y1) - (y - y1) * (x2 - x1)) / n < 1e-6 and -1e-6 <= at[x, y] <= n + 1e-6 for x, y, r in marks)
    o = sorted(at[x, y] for x, y, r in marks if abs(x) > 1e-9)
    print(name, "".join(t.dxf.text for t in letters), sum(out_((x - r, y - r, x + r, y + r)) for x, y, r in marks) +
          sum(out_(box(t)) for t in texts), near, on, ",".join(sorted({e.dxf.layer for e in sp.query("ARC")} - {"29", "24"})),
          "%.3f" % [y for x, y, r in marks if abs(x) < 1e-9][0], "%.3f,%.3f" % (o[2] - o[0], o[3] - o[1]), end=" ")
    lo, hi, s, bild = doc.header["$EXTMIN"], doc.header["$EXTMAX"], 14 / W, doc.blocks.get("bild") or []
    i = [e.dxf.insert for e in bild if e.dxftype() == "INSERT" and e.dxf.name == block] + [(0, 0)]
    print(lo[0] <= -W and hi[0] >= W and lo[1] <= low <= B - 9.5 * W / 22 + 1e-6 and hi[1] >= T if block == "-" else
          abs(i[0][0] - W * s - 0.5) < 1e-6 and abs(i[0][1] - 119.5 + T * s) < 1e-6 and 98 - (T - B) * s > 0 and
          any(e.dxftype() == "CIRCLE" and e.dxf.layer == "5" for e in bild))
