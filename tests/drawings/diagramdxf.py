# Reads a diagram drawing with ezdxf and prints what the diagram tests
# compare: the auditor's counts, then every model-space entity as one line
# "TYPE layer numbers... [text]" (lines with both end points, circles with
# centre and radius, texts with their insertion point, polylines with their
# vertex count).
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
print("audit errors=%d fixes=%d" % (len(auditor.errors), len(auditor.fixes)))
for e in doc.modelspace():
    t = e.dxftype()
    layer = e.dxf.layer
    if t == "LINE":
        print("LINE %s %.6f %.6f %.6f %.6f" % (layer, e.dxf.start[0], e.dxf.start[1], e.dxf.end[0], e.dxf.end[1]))
    elif t == "CIRCLE":
        print("CIRCLE %s %.6f %.6f %.6f" % (layer, e.dxf.center[0], e.dxf.center[1], e.dxf.radius))
    elif t == "TEXT":
        print("TEXT %s %.6f %.6f %s" % (layer, e.dxf.insert[0], e.dxf.insert[1], e.dxf.text))
    elif t == "POLYLINE":
        print("POLYLINE %s %d" % (layer, len(e.vertices)))
    else:
        print("%s %s" % (t, layer))
