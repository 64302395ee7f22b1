# Reads a DXF file with ezdxf and prints what the tooth outline test
# compares: the auditor's error and fix counts, then every POLYLINE of every
# block as its layer and vertices (x, y, bulge).
import sys

import ezdxf

from dxfquirk import is_quirk, quirk


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
