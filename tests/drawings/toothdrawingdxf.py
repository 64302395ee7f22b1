# Reads tooth drawings with ezdxf and prints, one line a file: the file's
# name, the auditor's counts, the blocks defined and the inserts of the
# model space per block.
import sys

import ezdxf

from dxfquirk import is_quirk, quirk

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
