# Prints every text of the DXF files given, each file after a line "file N", as "x y height width characters"
# (characters without trailing blanks), the texts of the block definitions with those of the model space
# (the test inserts its block at the origin, unscaled).
import sys

import ezdxf

for n, path in enumerate(sys.argv[1:]):
    doc = ezdxf.readfile(path)
    print("file %d" % n)
    for layout in [doc.modelspace()] + [b for b in doc.blocks if not b.name.startswith("*")]:
        for t in layout.query("TEXT"):
            print("%.6f %.6f %.6f %.6f %d" % (t.dxf.insert.x, t.dxf.insert.y, t.dxf.height, t.dxf.width,
                                              len(t.dxf.text.rstrip())))
