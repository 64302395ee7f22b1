# Reads a DXF file of a production drawing with ezdxf and prints what the
# tests compare: the auditor's counts, the block names, every insert with
# its owner, point and x scale, and the scale texts ("M ...").
#   productiondxf.py FILE
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
# ezdxf drops the owner-less SEQEND of an R12 polyline inside a block; that
# fix is its own quirk and not counted.
fixes = [f for f in auditor.fixes if "SEQEND" not in f.message]
print("audit errors=%d fixes=%d" % (len(auditor.errors), len(fixes)))
for e in auditor.errors:
    print("error %s" % e.message)
for f in fixes:
    print("fix %s" % f.message)


def visit(owner, entities):
    for e in entities:
        t = e.dxftype()
        if t == "INSERT":
            p = e.dxf.insert
            print("insert %s %s %.4f %.4f %.4f" % (owner, e.dxf.name, p[0], p[1], e.dxf.xscale))
        elif t == "TEXT" and e.dxf.text.startswith("M "):
            print("scale %s %s" % (owner, e.dxf.text))


visit("*model", doc.modelspace())
for b in doc.blocks:
    if b.name.startswith("*"):
        continue
    print("block %s %d" % (b.name, len(b)))
    visit(b.name, b)
