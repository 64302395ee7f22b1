# Reads tooth contact pictures DIR/NAME.dxf with ezdxf; per NAME YC BLOCK
# ("-" the model space) a line: NAME, the lines, arcs and circles out of the
# frame and the data box below it (rectangles on layer "3", x from -W to W,
# the frame y from B to T), the point letters out of the frame, and the arcs
# about (0, YC): radius, ends ("B" on y = B, "in" the frame, else "out") and
# the nearest label of gear 2.
import math
import sys
import ezdxf
a = sys.argv[2:]
for name, yc, block in zip(a[0::3], map(float, a[1::3]), a[2::3]):
    doc = ezdxf.readfile("%s/%s.dxf" % (sys.argv[1], name))
    sp = doc.modelspace() if block == "-" else doc.blocks.get(block)
    fr = [l for l in sp.query("LINE") if l.dxf.layer == "3"]
    W = max(abs(p[0]) for l in fr for p in (l.dxf.start, l.dxf.end))
    low, B, T = sorted({round(l.dxf.start[1], 6) for l in fr if abs(l.dxf.start[1] - l.dxf.end[1]) < 1e-9})
    inside = lambda ps, lo=B, hi=T: all(abs(p[0]) <= W + 1e-4 and lo - 1e-4 <= p[1] <= hi + 1e-4 for p in ps)
    out = sum(not inside(ps) and not inside(ps, low, B) for ps in (
        [e.dxf.start, e.dxf.end] if e.dxftype() == "LINE" else list(e.flattening(0.01))
        for e in sp.query("LINE ARC CIRCLE")))
    texts = sp.query("TEXT")
    letters = sum(not inside([t.dxf.insert, t.dxf.insert + (0.8 * t.dxf.height, t.dxf.height)])
                  for t in texts if len(t.dxf.text) == 1)
    labels = [t for t in texts if t.dxf.text.startswith("d") and t.dxf.text.endswith("2")]
    arcs = []
    for e in sorted(sp.query("ARC"), key=lambda e: e.dxf.radius):
        if math.hypot(e.dxf.center[0], e.dxf.center[1] - yc) < 1e-4:
            ends = ["B" if abs(p[1] - B) < 1e-4 else "in" if inside([p]) else "out" for p in (e.start_point, e.end_point)]
            near = min(labels, key=lambda t: abs(math.hypot(t.dxf.insert[0], t.dxf.insert[1] - yc) - e.dxf.radius))
            arcs.append("%.3f:%s:%s:%s" % (e.dxf.radius, ends[0], ends[1], near.dxf.text))
    print(name, out, letters, *arcs)
