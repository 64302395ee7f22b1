# Reads the tooth contact picture with ezdxf and prints what the mesh test
# compares: the auditor's counts, the inserts per block, the data texts
# (those with "="), the frame rectangles and the lines on layer "0".
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
