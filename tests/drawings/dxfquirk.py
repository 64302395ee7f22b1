# Older ezdxf reads an R12 file without handles so that the SEQEND of a
# POLYLINE inside a block has no owner, and its auditor then deletes it. A
# hand-written control file tells whether the installed ezdxf does that; only
# then are those fixes set apart by the DXF checks that import this.
import io

import ezdxf

CONTROL = "\n".join([
    "0", "SECTION", "2", "BLOCKS", "0", "BLOCK", "8", "0", "2", "B", "70", "0", "10", "0", "20", "0",
    "0", "POLYLINE", "8", "0", "66", "1", "0", "VERTEX", "8", "0", "10", "0", "20", "0",
    "0", "VERTEX", "8", "0", "10", "1", "20", "1", "0", "SEQEND", "8", "0", "0", "ENDBLK", "8", "0",
    "0", "ENDSEC", "0", "SECTION", "2", "ENTITIES", "0", "ENDSEC", "0", "EOF", ""])
quirk = any("SEQEND" in f.message and "invalid owner" in f.message
            for f in ezdxf.read(io.StringIO(CONTROL)).audit().fixes)


def is_quirk(message):
    return quirk and message.startswith("Deleted SEQEND") and "invalid owner handle #None" in message
