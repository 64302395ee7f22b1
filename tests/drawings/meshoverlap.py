# Judges the meshing gear wheels of DXF files with ezdxf and shapely:
#   meshoverlap.py [FRAME=NAME] FILE.dxf ... BLOCKA:BLOCKB=MAXGAP ...
# A wheel is one "RAD..." insert, or the "EVOLV..." copies on one centre; its
# tooth outline is chained and closed through the centre (or, for a ring,
# along a circle outside it). Wheels whose tooth circles cut each other
# mesh: prints each pair sharing over 0.01 mm2 or further apart than its
# MAXGAP (measured at scale 1), then "pairs N". FRAME=NAME splits the
# modelspace into frames at each run of NAME inserts; a frame drawn twice in
# a row (drawn, then erased) counts once.
import math, sys
import ezdxf
from ezdxf import path as ezpath
from ezdxf.math import Matrix44
from shapely.geometry import LineString, Point, Polygon
from shapely.ops import linemerge

args = sys.argv[1:]
frame = next((a[6:].upper() for a in args if a.startswith("FRAME=")), None)
limits = {frozenset(a.split("=")[0].upper().split(":")): float(a.split("=")[1]) for a in args if ":" in a}
pairs = 0


def wheels(doc, inserts):
    found, flat = {}, {}

    def walk(entities, parent, key):
        for e in (e for e in entities if e.dxftype() == "INSERT"):
            m, name, k = e.matrix44() * parent, e.dxf.name.upper(), key
            if k is None and name[:3] in ("RAD", "EVO"):
                c = m.transform((0, 0, 0))
                k = (name, round(c.x, 3), round(c.y, 3)) + ((len(found),) if name[:3] == "RAD" else ())
                found.setdefault(k, [name, Point(c.x, c.y), m.transform_direction((1, 0, 0)).magnitude, []])
            if k is not None:
                if name not in flat:
                    flat[name] = [list(ezpath.make_path(b).flattening(1e-4)) for b in doc.blocks.get(name)
                                  if b.dxftype() in ("LINE", "POLYLINE", "LWPOLYLINE", "ARC")]
                found[k][3] += [[(v.x, v.y) for v in m.transform_vertices(p)] for p in flat[name]]
            walk(doc.blocks.get(name), m, k)

    walk(inserts, Matrix44(), None)
    return [body(*w) for w in found.values() if w[3]]


def body(name, c, scale, lines):
    ends = []  # copies turned in floating point: ends closer than 1e-4 mm are one point
    snap = lambda p: next((q for q in ends if math.dist(p, q) < 1e-4), None) or ends.append(p) or p
    merged = linemerge([LineString([snap(l[0])] + l[1:-1] + [snap(l[-1])]) for l in lines])
    line = max(getattr(merged, "geoms", [merged]), key=lambda g: g.length)
    radii = [c.distance(Point(p)) for p in line.coords]
    return dict(name=name, c=c, s=scale, pts=list(line.coords), ring=line.is_ring, rmin=min(radii), rmax=max(radii))


def material(w, internal):
    pts, (cx, cy) = w["pts"], w["c"].coords[0]
    if not internal:
        return Polygon(pts if w["ring"] else pts + [(cx, cy)])
    r = 1.2 * w["rmax"]
    if w["ring"]:
        return w["c"].buffer(r, 256).difference(Polygon(pts))
    a0, a1 = (math.atan2(p[1] - cy, p[0] - cx) for p in (pts[0], pts[-1]))
    span = (a0 - a1) % (2 * math.pi)
    return Polygon(pts + [(cx + r * math.cos(a1 + span * i / 64), cy + r * math.sin(a1 + span * i / 64)) for i in range(65)])


for path in (a for a in args if a.endswith(".dxf")):
    doc, frames = ezdxf.readfile(path), [[]]
    for e in doc.modelspace().query("INSERT"):
        if frame and e.dxf.name.upper() == frame and frames[-1] and frames[-1][-1].dxf.name.upper() != frame:
            frames.append([])
        frames[-1].append(e)
    sig = lambda f: [(e.dxf.name, *(round(v, 6) for v in (*e.dxf.insert, e.dxf.rotation))) for e in f]
    for f in (f for i, f in enumerate(frames) if i == 0 or sig(f) != sig(frames[i - 1])):
        ws = wheels(doc, f)
        for i, a in enumerate(ws):
            for b in ws[i + 1:]:
                d = a["c"].distance(b["c"])
                ia, ib = d < a["rmin"] and a["rmax"] > b["rmax"], d < b["rmin"] and b["rmax"] > a["rmax"]
                inner, outer = (b, a) if ia else (a, b)
                if (d + inner["rmax"] < outer["rmin"]) if ia or ib else d > a["rmax"] + b["rmax"]:
                    continue
                pairs += 1
                pa, pb = material(a, ia), material(b, ib)
                overlap, gap = pa.intersection(pb).area / a["s"] ** 2, pa.distance(pb) / a["s"]
                if overlap > 0.01 or gap > limits.get(frozenset((a["name"], b["name"])), math.inf):
                    print("%s-%s at %.1f %.1f: overlap %.3f mm2 gap %.3f mm" % (a["name"], b["name"], *b["c"].coords[0], overlap, gap))
print("pairs %d" % pairs)
