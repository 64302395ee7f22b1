# Reads a DXF file with ezdxf and prints what the bearing section tests
# compare: the auditor's error and fix counts, every entity of block
# "LAGER1" (full precision), and on request the checks of a section drawn
# from a catalogue row and a PNG picture of the block.
#   bearingdxf.py FILE                     the dump
#   bearingdxf.py FILE check XMAX RA       the dump and the checks
#   bearingdxf.py FILE check XMAX RA png   the same and a PNG (base64)
import base64
import math
import struct
import sys
import zlib

import ezdxf

from dxfquirk import is_quirk, quirk


def is_quirk(message):
    return quirk and message.startswith("Deleted SEQEND") and "invalid owner handle #None" in message


def num(x):
    return "%.12g" % x


doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
fixes = [f for f in auditor.fixes if not is_quirk(f.message)]
out = ["audit errors=%d fixes=%d" % (len(auditor.errors), len(fixes))]
for e in auditor.errors:
    out.append("error %s" % e.message)
for f in fixes:
    out.append("fix %s" % f.message)

ents = []
block = doc.blocks.get("LAGER1")
for e in (block if block is not None else []):
    t = e.dxftype()
    layer = e.dxf.layer
    if t == "LINE":
        v = [e.dxf.start[0], e.dxf.start[1], e.dxf.end[0], e.dxf.end[1]]
    elif t == "CIRCLE":
        v = [e.dxf.center[0], e.dxf.center[1], e.dxf.radius]
    elif t == "ARC":
        v = [e.dxf.center[0], e.dxf.center[1], e.dxf.radius, e.dxf.start_angle, e.dxf.end_angle]
    elif t == "POLYLINE":
        v = []
        for p in e.vertices:
            v += [p.dxf.location[0], p.dxf.location[1], p.dxf.bulge]
    elif t == "TEXT":
        v = [e.dxf.insert[0], e.dxf.insert[1], e.dxf.height]
        out.append("TEXT %s %s %s" % (layer, " ".join(num(x) for x in v), e.dxf.text))
        ents.append((t, layer, v))
        continue
    else:
        v = []
    ents.append((t, layer, v))
    out.append("%s %s %s" % (t, layer, " ".join(num(x) for x in v)))


def points(t, v):
    if t == "LINE":
        return [(v[0], v[1]), (v[2], v[3])]
    if t == "POLYLINE":
        return [(v[i], v[i + 1]) for i in range(0, len(v), 3)]
    if t in ("CIRCLE", "ARC"):
        return [(v[0] - v[2], v[1] - v[2]), (v[0] + v[2], v[1] + v[2])]
    return []


def mirrored(t, v):
    if t == "LINE":
        return [v[0], -v[1], v[2], -v[3]]
    if t == "CIRCLE":
        return [v[0], -v[1], v[2]]
    if t == "ARC":
        return [v[0], -v[1], v[2], -v[4], -v[3]]
    if t == "POLYLINE":
        m = []
        for i in range(0, len(v), 3):
            m += [v[i], -v[i + 1], -v[i + 2]]
        return m
    return v


def angle_close(a, b, tol):
    d = (a - b) % 360.0
    return min(d, 360.0 - d) <= tol


def same(t, a, b, tol=1e-9):
    if len(a) != len(b):
        return False
    if t == "LINE":
        fwd = all(abs(x - y) <= tol for x, y in zip(a, b))
        rev = all(abs(x - y) <= tol for x, y in zip(a, b[2:] + b[:2]))
        return fwd or rev
    if t == "ARC":
        return all(abs(x - y) <= tol for x, y in zip(a[:3], b[:3])) and \
            angle_close(a[3], b[3], 1e-7) and angle_close(a[4], b[4], 1e-7)
    return all(abs(x - y) <= tol for x, y in zip(a, b))


if len(sys.argv) > 2 and sys.argv[2] == "check":
    xmax, ra = float(sys.argv[3]), float(sys.argv[4])
    tol = 1e-9
    bad = 0
    for t, layer, v in ents:
        if not all(math.isfinite(x) for x in v):
            out.append("check nan %s %s" % (t, layer))
            bad += 1
            continue
        if layer == "5" and t == "POLYLINE":
            p = points(t, v)
            if len(p) < 2 or abs(p[0][0] - p[-1][0]) > tol or abs(p[0][1] - p[-1][1]) > tol:
                out.append("check open %s" % " ".join(num(x) for x in v))
                bad += 1
        if t != "TEXT":
            for x, y in points(t, v):
                if x < -tol or x > xmax + tol or y < -ra - tol or y > ra + tol:
                    out.append("check outside %s %s %s %s" % (t, layer, num(x), num(y)))
                    bad += 1
                    break
    pool = [(t, l, v) for t, l, v in ents if l in ("5", "1") and t != "TEXT"]
    used = [False] * len(pool)
    for t, l, v in pool:
        m = mirrored(t, v)
        hit = False
        for j, (t2, l2, v2) in enumerate(pool):
            if not used[j] and t2 == t and l2 == l and same(t, m, v2):
                used[j] = True
                hit = True
                break
        if not hit:
            out.append("check unmirrored %s %s %s" % (t, l, " ".join(num(x) for x in v)))
            bad += 1
    out.append("check failures %d" % bad)

    if len(sys.argv) > 5 and sys.argv[5] == "png":
        W = H = 240
        sx = (W - 20) / max(xmax, 1e-9)
        sy = (H - 20) / max(2 * ra, 1e-9)
        k = min(sx, sy)
        img = bytearray(b"\xff" * (W * H))

        def plot(x, y, shade):
            px = int(round(10 + x * k))
            py = int(round(H / 2 - y * k))
            if 0 <= px < W and 0 <= py < H:
                img[py * W + px] = min(img[py * W + px], shade)

        def seg(x1, y1, x2, y2, shade):
            n = int(max(abs(x2 - x1), abs(y2 - y1)) * k) + 1
            for i in range(n + 1):
                plot(x1 + (x2 - x1) * i / n, y1 + (y2 - y1) * i / n, shade)

        shades = {"5": 0, "1": 90, "2": 140, "3": 170}
        def arc(cx, cy, r, a1, a2, shade):
            a2 = a2 if a2 > a1 else a2 + 360.0
            n = max(8, int((a2 - a1) / 3))
            pts = [(cx + r * math.cos(math.radians(a1 + (a2 - a1) * i / n)),
                    cy + r * math.sin(math.radians(a1 + (a2 - a1) * i / n))) for i in range(n + 1)]
            for a, b in zip(pts, pts[1:]):
                seg(a[0], a[1], b[0], b[1], shade)

        for t, layer, v in ents:
            shade = shades.get(layer, 200)
            if t == "LINE":
                seg(v[0], v[1], v[2], v[3], shade)
            elif t == "CIRCLE":
                arc(v[0], v[1], v[2], 0.0, 360.0, shade)
            elif t == "ARC":
                arc(v[0], v[1], v[2], v[3] % 360.0, v[4] % 360.0, shade)
            elif t == "POLYLINE":
                for i in range(0, len(v) - 3, 3):
                    x1, y1, b, x2, y2 = v[i], v[i + 1], v[i + 2], v[i + 3], v[i + 4]
                    if abs(b) < 1e-12:
                        seg(x1, y1, x2, y2, shade)
                        continue
                    c, a1, a2, r = ezdxf.math.bulge_to_arc((x1, y1), (x2, y2), b)
                    arc(c[0], c[1], r, math.degrees(a1), math.degrees(a2), shade)

        def chunk(tag, data):
            c = struct.pack(">I", len(data)) + tag + data
            return c + struct.pack(">I", zlib.crc32(tag + data) & 0xffffffff)

        raw = b"".join(b"\x00" + bytes(img[r * W:(r + 1) * W]) for r in range(H))
        png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", W, H, 8, 0, 0, 0, 0)) + \
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
        out.append("png " + base64.b64encode(png).decode("ascii"))
sys.stdout.write("\n".join(out) + "\n")
