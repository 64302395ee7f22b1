# Reads a DXF file with ezdxf and prints what the CAD layer tests compare:
# the auditor's error and fix counts, the number of entities per type and
# layer of the model space and of each block, and the geometry of every
# LINE, ARC, CIRCLE, INSERT, TEXT and POLYLINE of the model space.
import sys

import ezdxf


def num(x):
    s = "%.3f" % x
    return "0.000" if s == "-0.000" else s


def describe(e):
    t = e.dxftype()
    layer = e.dxf.layer
    if t == "LINE":
        s, f = e.dxf.start, e.dxf.end
        return "LINE %s %s %s %s %s" % (layer, num(s[0]), num(s[1]), num(f[0]), num(f[1]))
    if t == "CIRCLE":
        c = e.dxf.center
        return "CIRCLE %s %s %s %s" % (layer, num(c[0]), num(c[1]), num(e.dxf.radius))
    if t == "ARC":
        c = e.dxf.center
        return "ARC %s %s %s %s %s %s" % (layer, num(c[0]), num(c[1]), num(e.dxf.radius),
                                         num(e.dxf.start_angle), num(e.dxf.end_angle))
    if t == "INSERT":
        p = e.dxf.insert
        return "INSERT %s %s %s %s %s %s %s" % (layer, e.dxf.name, num(p[0]), num(p[1]), num(e.dxf.rotation),
                                               num(e.dxf.xscale), num(e.dxf.yscale))
    if t == "TEXT":
        p = e.dxf.insert
        return "TEXT %s %s %s %s %s" % (layer, num(p[0]), num(p[1]), num(e.dxf.height), e.dxf.text)
    if t == "POLYLINE":
        pts = " ".join("%s,%s,%s" % (num(v.dxf.location[0]), num(v.dxf.location[1]), num(v.dxf.bulge))
                       for v in e.vertices)
        return "POLYLINE %s closed=%d %s" % (layer, 1 if e.is_closed else 0, pts)
    if t == "SOLID":
        return "SOLID %s %s" % (layer, " ".join("%s,%s" % (num(e.dxf.get(v)[0]), num(e.dxf.get(v)[1]))
                                                 for v in ("vtx0", "vtx1", "vtx2", "vtx3")))
    return t + " " + layer


def counts(space, title):
    c = {}
    for e in space:
        k = (e.dxftype(), e.dxf.layer)
        c[k] = c.get(k, 0) + 1
    return ["%s %s %s %d" % (title, k[0], k[1], n) for k, n in sorted(c.items())]


doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
out = ["audit errors=%d fixes=%d" % (len(auditor.errors), len(auditor.fixes))]
for e in auditor.errors:
    out.append("error %s" % e.message)
for f in auditor.fixes:
    out.append("fix %s" % f.message)
for layer in doc.layers:
    # ezdxf adds its own "Defpoints" layer to every document it loads.
    if layer.dxf.name == "Defpoints":
        continue
    out.append("layer %s %d %s" % (layer.dxf.name, layer.dxf.color, layer.dxf.linetype))
for b in doc.blocks:
    if b.name.startswith("*"):
        continue
    out.extend(counts(b, "block " + b.name))
out.extend(counts(doc.modelspace(), "model"))
out.extend(describe(e) for e in doc.modelspace())
sys.stdout.buffer.write(("\n".join(out) + "\n").encode("utf-8"))
