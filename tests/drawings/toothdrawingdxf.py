# Reads tooth drawings with ezdxf and prints, one line a file: the file's
# name, the auditor's counts, the blocks defined and the inserts of the
# model space per block.
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

for path in sys.argv[1:]:
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    fixes = [f for f in auditor.fixes
             if not (quirk and f.message.startswith("Deleted SEQEND") and "invalid owner handle #None" in f.message)]
    blocks = sorted(b.name.upper() for b in doc.blocks if not b.name.startswith("*") and b.name not in ("$MODEL_SPACE", "$PAPER_SPACE"))
    counts = {}
    for e in doc.modelspace().query("INSERT"):
        counts[e.dxf.name.upper()] = counts.get(e.dxf.name.upper(), 0) + 1
    print("%s errors=%d fixes=%d blocks=%s inserts=%s" % (
        path.rsplit("/", 1)[-1], len(auditor.errors), len(fixes), ",".join(blocks),
        ",".join("%s:%d" % (k, counts[k]) for k in sorted(counts))))
