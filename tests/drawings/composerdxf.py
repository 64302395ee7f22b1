# Reads one stage view written as DXF and prints what the composer test
# compares: the auditor's counts (the SEQEND quirk of older ezdxf set apart,
# as in the other drawing checks), the blocks the file defines, every insert
# whose block is missing (compared without regard to case) and the
# modelspace inserts with their points and scales (names in upper case:
# the devices match block names without regard to case).
import io
import sys

import ezdxf

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
