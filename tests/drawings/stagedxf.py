# Reads a DXF of the stage views with ezdxf and prints what the stage view
# test compares: the auditor's counts, the inserts of the block "pgear" with
# their points, and every insert whose block is not defined (names compared
# without regard to case, as the program's devices do).
import sys

import ezdxf

from dxfquirk import is_quirk, quirk

doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
fixes = [f for f in auditor.fixes
         if not (quirk and f.message.startswith("Deleted SEQEND") and "invalid owner handle #None" in f.message)]
print("audit errors=%d fixes=%d" % (len(auditor.errors), len(fixes)))
defined = {b.name.upper() for b in doc.blocks}
layouts = [doc.modelspace()] + [b for b in doc.blocks]
for layout in layouts:
    for e in layout.query("INSERT"):
        if e.dxf.name.upper() not in defined:
            print("undefined %s" % e.dxf.name)
pgear = doc.blocks.get("pgear") or doc.blocks.get("PGEAR")
for e in pgear.query("INSERT"):
    if e.dxf.name.upper() in ("RADPE", "RADPI"):
        print("%s %.3f %.3f" % (e.dxf.name.upper(), e.dxf.insert[0], e.dxf.insert[1]))
