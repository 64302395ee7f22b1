# Reads the tooth contact picture with ezdxf and prints what the mesh test
# compares: the auditor's counts, the inserts per block, the data texts
# (those with "="), the frame rectangles and the lines on layer "0".
import sys

import ezdxf

from dxfquirk import is_quirk, quirk

doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
fixes = [f for f in auditor.fixes
         if not (quirk and f.message.startswith("Deleted SEQEND") and "invalid owner handle #None" in f.message)]
print("audit errors=%d fixes=%d" % (len(auditor.errors), len(fixes)))
msp = doc.modelspace()
counts = {}
for e in msp.query("INSERT"):
    counts[e.dxf.name] = counts.get(e.dxf.name, 0) + 1
for name in sorted(counts):
    print("insert %s %d" % (name, counts[name]))
print("datatexts %d" % sum(1 for t in msp.query("TEXT") if "=" in t.dxf.text))
for l in msp.query("LINE"):
    if l.dxf.layer == "0":
        print("line0 %.6f %.6f %.6f %.6f" % (l.dxf.start[0], l.dxf.start[1], l.dxf.end[0], l.dxf.end[1]))
