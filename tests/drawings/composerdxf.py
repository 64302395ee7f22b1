# Reads one stage view written as DXF and prints what the composer test
# compares: the auditor's counts (the SEQEND quirk of older ezdxf set apart,
# as in the other drawing checks), the blocks the file defines, every insert
# whose block is missing (compared without regard to case) and the
# modelspace inserts with their points and scales (names in upper case:
# the devices match block names without regard to case).
import sys

import ezdxf
from ezdxf.disassemble import recursive_decompose

from dxfquirk import is_quirk, quirk

doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
fixes = [f for f in auditor.fixes
         if not (quirk and f.message.startswith("Deleted SEQEND") and "invalid owner handle #None" in f.message)]
print("audit errors=%d fixes=%d" % (len(auditor.errors), len(fixes)))
names = sorted(b.name for b in doc.blocks if not b.name.startswith("*"))
print("blocks " + " ".join(names))
defined = {n.upper() for n in names}
for layout in [doc.modelspace()] + [b for b in doc.blocks]:
    for e in layout.query("INSERT"):
        if e.dxf.name.upper() not in defined:
            print("undefined %s" % e.dxf.name)
for e in doc.modelspace().query("INSERT"):
    print("insert %s %.3f %.3f %.6f %.6f %.1f" % (e.dxf.name.upper(), e.dxf.insert[0], e.dxf.insert[1],
                                               e.dxf.xscale, e.dxf.yscale, e.dxf.rotation))
# With a second argument: the lowest point of the tables' lines and texts (layers 17 to 19), inserts resolved.
if len(sys.argv) > 2:
    low = [min(e.dxf.start.y, e.dxf.end.y) if e.dxftype() == "LINE" else e.dxf.insert.y
           for e in recursive_decompose(doc.modelspace())
           if e.dxftype() in ("LINE", "TEXT") and e.dxf.layer in ("17", "18", "19")]
    print("tables down to %.3f" % min(low, default=0))
