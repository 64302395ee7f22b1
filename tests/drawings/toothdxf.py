# Reads a DXF file with ezdxf and prints what the tooth outline test
# compares: the auditor's error and fix counts, then every POLYLINE of every
# block as its layer and vertices (x, y, bulge).
import io
import sys

import ezdxf

# ezdxf (0.18) loads an R12 file without handles so that the SEQEND of every
# POLYLINE inside a block has no owner, and its auditor then deletes it. A
# minimal hand-written file with one block polyline shows whether the
# installed ezdxf does that; only then are those fixes set apart.
CONTROL = "\n".join([
    "0", "SECTION", "2", "BLOCKS", "0", "BLOCK", "8", "0", "2", "B", "70", "0", "10", "0", "20", "0",
    "0", "POLYLINE", "8", "0", "66", "1", "0", "VERTEX", "8", "0", "10", "0", "20", "0",
    "0", "VERTEX", "8", "0", "10", "1", "20", "1", "0", "SEQEND", "8", "0", "0", "ENDBLK", "8", "0",
    "0", "ENDSEC", "0", "SECTION", "2", "ENTITIES", "0", "ENDSEC", "0", "EOF", ""])
control = ezdxf.read(io.StringIO(CONTROL)).audit()
quirk = any("SEQEND" in f.message and "invalid owner" in f.message for f in control.fixes)


def is_quirk(message):
    return quirk and message.startswith("Deleted SEQEND") and "invalid owner handle #None" in message


def num(x):
    s = "%.6f" % x
    return "0.000000" if s == "-0.000000" else s


doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
fixes = [f for f in auditor.fixes if not is_quirk(f.message)]
out = ["audit errors=%d fixes=%d" % (len(auditor.errors), len(fixes)),
       "seqend owner fixes %d" % (len(auditor.fixes) - len(fixes))]
for e in auditor.errors:
    out.append("error %s" % e.message)
for f in fixes:
    out.append("fix %s" % f.message)
for b in doc.blocks:
    if b.name.startswith("*"):
        continue
    for e in b:
        if e.dxftype() != "POLYLINE":
            out.append("block %s %s %s" % (b.name, e.dxftype(), e.dxf.layer))
            continue
        pts = " ".join("%s,%s,%s" % (num(v.dxf.location[0]), num(v.dxf.location[1]), num(v.dxf.bulge))
                       for v in e.vertices)
        out.append("block %s POLYLINE %s %d %s" % (b.name, e.dxf.layer, len(e), pts))
inserts = [e for e in doc.modelspace() if e.dxftype() == "INSERT"]
out.append("inserts %s" % " ".join(e.dxf.name for e in inserts))
sys.stdout.write("\n".join(out) + "\n")
