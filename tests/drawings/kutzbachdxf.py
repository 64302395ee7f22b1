# Reads a Kutzbach chart with ezdxf and prints what the chart test checks:
# the auditor's counts, every LINE as "line <layer> x1 y1 x2 y2" and every
# TEXT as "text <layer> x y <text>", in file order.
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
print("audit errors=%d fixes=%d" % (len(auditor.errors), len(auditor.fixes)))
msp = doc.modelspace()
for e in msp:
    if e.dxftype() == "LINE":
        print("line %s %.9f %.9f %.9f %.9f" % (e.dxf.layer, e.dxf.start[0], e.dxf.start[1], e.dxf.end[0], e.dxf.end[1]))
    elif e.dxftype() == "TEXT":
        print("text %s %.9f %.9f %s" % (e.dxf.layer, e.dxf.insert[0], e.dxf.insert[1], e.dxf.text))
