# Reads a DXF of the stage views with ezdxf and prints what the stage view
# test compares: the auditor's counts, the inserts of the block "pgear" with
# their points, and every insert whose block is not defined (names compared
# without regard to case, as the program's devices do).
import io
import sys

import ezdxf

# Older ezdxf loads an R12 file without handles so that the SEQEND of a
# POLYLINE inside a block has no owner, and its auditor deletes it; a
# hand-written control file tells whether this ezdxf does, and only then
# are those fixes set apart.
CONTROL = "\n".join([
    "0", "SECTION", "2", "BLOCKS", "0", "BLOCK", "8", "0", "2", "B", "70", "0", "10", "0", "20", "0",
    "0", "POLYLINE", "8", "0", "66", "1", "0", "VERTEX", "8", "0", "10", "0", "20", "0",
    "0", "VERTEX", "8", "0", "10", "1", "20", "1", "0", "SEQEND", "8", "0", "0", "ENDBLK", "8", "0",
    "0", "ENDSEC", "0", "SECTION", "2", "ENTITIES", "0", "ENDSEC", "0", "EOF", ""])
control = ezdxf.read(io.StringIO(CONTROL)).audit()
quirk = any("SEQEND" in f.message and "invalid owner" in f.message for f in control.fixes)

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
