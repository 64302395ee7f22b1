# Reads a DXF file of production tables with ezdxf and prints what the
# table tests compare: the auditor's error and fix counts, the number of
# texts and lines per layer, and any coordinate that is not a finite
# number.
#   tablesdxf.py FILE
import math
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
# ezdxf 0.18 drops the owner-less SEQEND of an R12 polyline inside a block;
# that fix is its own quirk and not counted.
fixes = [f for f in auditor.fixes if "SEQEND" not in f.message]
print("audit errors=%d fixes=%d" % (len(auditor.errors), len(fixes)))
for e in auditor.errors:
    print("error %s" % e.message)
for f in fixes:
    print("fix %s" % f.message)

counts = {}
bad = 0


def visit(entities):
    global bad
    for e in entities:
        t = e.dxftype()
        key = "%s %s" % (t, e.dxf.layer)
        counts[key] = counts.get(key, 0) + 1
        pts = []
        if t == "LINE":
            pts = [e.dxf.start, e.dxf.end]
        elif t == "TEXT":
            pts = [e.dxf.insert]
        elif t in ("CIRCLE", "ARC"):
            pts = [e.dxf.center]
        for p in pts:
            if not all(math.isfinite(c) for c in p):
                bad += 1


visit(doc.modelspace())
for b in doc.blocks:
    visit(b)
for k in sorted(counts):
    print("count %s %d" % (k, counts[k]))
print("nonfinite %d" % bad)
