#!/usr/bin/env python3
# Writes the ten rolling-bearing catalogue sources (../<table>.csv) from the
# boundary dimensions of common series and the load rating formulas of the
# standards. The build reads only the CSV files; run this by hand after a
# change here:  python3 bearings.py
#
# Boundary dimensions (d, D, B, T): ISO 15 (radial), ISO 355 (taper roller),
# ISO 1206 (needle roller), ISO 3030 (needle cages), ISO 3245 (drawn cups).
# Internal geometry is not standardised; it is estimated from the cross
# section (rolling element diameter Dw, effective length Lwe, number Z,
# pitch diameter Dpw = (d + D) / 2) by the rules in make_*() below.
# Basic dynamic load rating C: ISO 281
#   ball   C = bm fc (i cos a)^0.7 Z^(2/3) Dw^1.8               (Dw <= 25.4)
#   roller C = bm fc (i Lwe cos a)^(7/9) Z^(3/4) Dwe^(29/27)
# fc from the tables of ISO 281 at g = Dw cos a / Dpw (linear interpolation).
# Basic static load rating C0: ISO 76
#   ball   C0 = f0 i Z Dw^2 cos a
#   roller C0 = 44 (1 - Dwe cos a / Dpw) i Z Lwe Dwe cos a
# Fatigue load limit Cu: ISO 281 Annex B (ball C0/22, roller C0/8.2, times
# (100/Dpw)^0.5 above Dpw = 100 mm).
# Speeds: limiting speed (oil) nlim = k / Dpw with the n*dm values k below,
# reference speed (grease) 0.75 nlim, rounded to 100 1/min.
# Mass: 7.85 kg/dm3 times 0.6 of the ring volume.
# All values are computed nominal values, not those of a maker's catalogue.

import math, os

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.dirname(HERE)

FC_BALL_SINGLE = [(0.05, 46.7), (0.06, 49.1), (0.07, 51.1), (0.08, 52.8), (0.09, 54.3), (0.10, 55.5),
                  (0.12, 57.5), (0.14, 58.8), (0.16, 59.6), (0.18, 59.9), (0.20, 59.9), (0.22, 59.6),
                  (0.24, 59.0), (0.26, 58.2), (0.28, 57.1), (0.30, 56.0), (0.32, 54.6), (0.34, 53.2)]
FC_BALL_DOUBLE = [(0.05, 44.2), (0.06, 46.5), (0.07, 48.4), (0.08, 50.0), (0.09, 51.4), (0.10, 52.6),
                  (0.12, 54.5), (0.14, 55.7), (0.16, 56.5), (0.18, 56.8), (0.20, 56.8), (0.22, 56.5),
                  (0.24, 55.9), (0.26, 55.1), (0.28, 54.1), (0.30, 53.0), (0.32, 51.8), (0.34, 50.4)]
FC_BALL_SELFALIGN = [(0.05, 17.3), (0.06, 18.6), (0.07, 19.9), (0.08, 21.1), (0.09, 22.3), (0.10, 23.4),
                     (0.12, 25.6), (0.14, 27.7), (0.16, 29.7), (0.18, 31.7), (0.20, 33.5), (0.22, 35.2),
                     (0.24, 36.8), (0.26, 38.2), (0.28, 39.4), (0.30, 40.3)]
FC_ROLLER = [(0.01, 52.1), (0.02, 60.8), (0.03, 66.5), (0.04, 70.7), (0.05, 74.1), (0.06, 76.9),
             (0.07, 79.2), (0.08, 81.2), (0.09, 82.8), (0.10, 84.2), (0.12, 86.4), (0.14, 87.7),
             (0.16, 88.5), (0.18, 88.8), (0.20, 88.7), (0.22, 88.2), (0.24, 87.5), (0.26, 86.4),
             (0.28, 85.2), (0.30, 83.8)]


def interp(table, g):
    if g <= table[0][0]:
        return table[0][1]
    for (g0, f0), (g1, f1) in zip(table, table[1:]):
        if g <= g1:
            return f0 + (f1 - f0) * (g - g0) / (g1 - g0)
    return table[-1][1]


def f0_radial_ball(g):
    # ISO 76, radial and angular contact groove ball bearings, approximated.
    return max(11.0, 15.2 - 10.5 * g)


def ball_rating(i, z, dw, dpw, alpha, fc_table, bm=1.3, f0=None):
    ca = math.cos(math.radians(alpha))
    g = dw * ca / dpw
    c = bm * interp(fc_table, g) * (i * ca) ** 0.7 * z ** (2 / 3) * dw ** 1.8
    f0v = f0 if f0 is not None else f0_radial_ball(g)
    c0 = f0v * i * z * dw * dw * ca
    return c, c0


def roller_rating(i, z, dwe, lwe, dpw, alpha, bm=1.1):
    ca = math.cos(math.radians(alpha))
    g = dwe * ca / dpw
    c = bm * interp(FC_ROLLER, g) * (i * lwe * ca) ** (7 / 9) * z ** 0.75 * dwe ** (29 / 27)
    c0 = 44 * (1 - g) * i * z * lwe * dwe * ca
    return c, c0


def cu(c0, dpw, ball):
    v = c0 / 22 if ball else c0 / 8.2
    if dpw > 100:
        v *= (100 / dpw) ** 0.5
    return v


def speeds(dpw, k):
    nlim = round(k / dpw / 100) * 100
    return round(0.75 * nlim / 100) * 100, nlim


def chamfer(d, D):
    s = (D - d) / 2
    for lim, r in [(5, 0.3), (7, 0.6), (12, 1.0), (16, 1.1), (22, 1.5), (30, 2.0)]:
        if s <= lim:
            return r
    return 2.1


def mass(d, D, B):
    return 7.85e-6 * math.pi / 4 * (D * D - d * d) * B * 0.6


def f(x, n=1):
    return ("%." + str(n) + "f") % x


S02 = [(10, 30, 9), (12, 32, 10), (15, 35, 11), (17, 40, 12), (20, 47, 14), (25, 52, 15), (30, 62, 16),
       (35, 72, 17), (40, 80, 18), (45, 85, 19), (50, 90, 20), (55, 100, 21), (60, 110, 22), (65, 120, 23),
       (70, 125, 24), (75, 130, 25), (80, 140, 26), (85, 150, 28), (90, 160, 30), (95, 170, 32),
       (100, 180, 34), (110, 200, 38), (120, 215, 40), (130, 230, 40), (140, 250, 42), (150, 270, 45)]
S03 = [(10, 35, 11), (12, 37, 12), (15, 42, 13), (17, 47, 14), (20, 52, 15), (25, 62, 17), (30, 72, 19),
       (35, 80, 21), (40, 90, 23), (45, 100, 25), (50, 110, 27), (55, 120, 29), (60, 130, 31), (65, 140, 33),
       (70, 150, 35), (75, 160, 37), (80, 170, 39), (85, 180, 41), (90, 190, 43), (95, 200, 45),
       (100, 215, 47), (110, 240, 50), (120, 260, 55), (130, 280, 58), (140, 300, 62), (150, 320, 65)]
S22 = [(20, 47, 18), (25, 52, 18), (30, 62, 20), (35, 72, 23), (40, 80, 23), (45, 85, 23), (50, 90, 23),
       (55, 100, 25), (60, 110, 28), (65, 120, 31), (70, 125, 31), (75, 130, 31), (80, 140, 33),
       (85, 150, 36), (90, 160, 40), (95, 170, 43), (100, 180, 46), (110, 200, 53), (120, 215, 58)]
S302 = [(20, 47, 15.25, 14, 12), (25, 52, 16.25, 15, 13), (30, 62, 17.25, 16, 14), (35, 72, 18.25, 17, 15),
        (40, 80, 19.75, 18, 16), (45, 85, 20.75, 19, 16), (50, 90, 21.75, 20, 17), (55, 100, 22.75, 21, 18),
        (60, 110, 23.75, 22, 19), (65, 120, 24.75, 23, 20), (70, 125, 26.25, 24, 21), (75, 130, 27.25, 25, 22),
        (80, 140, 28.25, 26, 22), (85, 150, 30.5, 28, 24), (90, 160, 32.5, 30, 26), (95, 170, 34.5, 32, 27),
        (100, 180, 37, 34, 29)]
S32 = [(25, 52, 20.6), (30, 62, 23.8), (35, 72, 27), (40, 80, 30.2), (45, 85, 30.2), (50, 90, 30.2),
       (55, 100, 33.3), (60, 110, 36.5), (65, 120, 38.1), (70, 125, 39.7), (75, 130, 41.3), (80, 140, 44.4),
       (85, 150, 49.2), (90, 160, 52.4), (100, 180, 60.3)]
RNA49 = [(14, 22, 13, '4900'), (16, 24, 13, '4901'), (20, 28, 13, '4902'), (22, 30, 13, '4903'),
         (25, 37, 17, '4904'), (30, 42, 17, '4905'), (35, 47, 17, '4906'), (42, 55, 20, '4907'),
         (48, 62, 22, '4908'), (52, 68, 22, '4909'), (58, 72, 22, '4910'), (63, 80, 25, '4911'),
         (68, 85, 25, '4912'), (72, 90, 25, '4913'), (80, 100, 30, '4914'), (85, 105, 30, '4915'),
         (90, 110, 30, '4916'), (100, 120, 35, '4917'), (105, 125, 35, '4918'), (110, 130, 35, '4919'),
         (115, 140, 40, '4920')]
CAGES = [(10, 13, 10), (12, 15, 10), (15, 19, 13), (16, 20, 10), (18, 22, 10), (20, 24, 10), (20, 26, 12),
         (22, 26, 10), (25, 29, 10), (25, 31, 17), (28, 33, 13), (30, 35, 13), (32, 37, 13), (35, 40, 13),
         (38, 43, 17), (40, 45, 17), (42, 47, 17), (45, 50, 17), (50, 55, 20), (55, 61, 20), (60, 66, 20),
         (65, 73, 23), (70, 76, 20), (75, 81, 20), (80, 88, 26), (85, 92, 20), (90, 98, 27), (100, 108, 27),
         (110, 118, 30), (120, 127, 24)]
CUPS = [(10, 14, 10), (12, 18, 12), (15, 21, 12), (16, 22, 16), (20, 26, 16), (25, 32, 20), (30, 37, 20),
        (35, 42, 20), (40, 47, 20), (45, 52, 20), (50, 58, 25), (55, 63, 20), (60, 68, 20)]

NOTE = "computed nominal values"


def code(d):
    return "%02d" % (d // 5) if d >= 20 else {10: "00", 12: "01", 15: "02", 17: "03"}[d]


def write(name, header, fields, rows):
    with open(os.path.join(OUT, name + ".csv"), "w", newline="") as out:
        out.write("# " + header + "\n")
        out.write("# Boundary dimensions from ISO 15 / ISO 355 / ISO 1206 / ISO 3030 dimension series;\n")
        out.write("# load ratings C (ISO 281) and C0 (ISO 76) computed from an estimated internal\n")
        out.write("# geometry, Cu per ISO 281 Annex B, speeds from n*dm rules, mass estimated.\n")
        out.write("# These are computed nominal values, not a maker's catalogue; see\n")
        out.write("# generator/bearings.py for the rules. Prices are not given (0).\n")
        out.write(";".join(fields) + "\n")
        for r in rows:
            out.write(";".join(r) + "\n")


def common_ring(d, D):
    return d + 0.3 * (D - d), D - 0.3 * (D - d), d + 0.12 * (D - d) + 1, D - 0.12 * (D - d) - 1


def rikula():
    rows = []
    for series, dims in (("62", S02), ("63", S03)):
        for d, D, B in dims:
            dpw = (d + D) / 2
            dw = min(25.4, 0.30 * (D - d) if series == "62" else 0.32 * (D - d))
            z = max(6, int(math.pi * dpw / dw * 0.6 + 0.5))
            c, c0 = ball_rating(1, z, dw, dpw, 0, FC_BALL_SINGLE)
            n2, n1 = speeds(dpw, 700000)
            d1, D1, da, Da = common_ring(d, D)
            rows.append([series + code(d), f(d), f(D), f(B), f(chamfer(d, D)), f(c, 0), f(c0, 0), f(n2, 0), f(n1, 0),
                         f(d1), f(D1), f(da), f(Da), f(cu(c0, dpw, True)), "0.00", NOTE])
    fields = ["DESIG:C:20:0", "D:N:6:1", "DA:N:6:1", "B:N:6:1", "RS:N:5:1", "C:N:8:0", "C0:N:8:0", "NREF:N:6:0",
              "NLIM:N:6:0", "D1:N:6:1", "DA1:N:6:1", "DAMIN:N:6:1", "DAMAX:N:6:1", "CU:N:8:1", "PRICE:N:8:2",
              "REMARK:C:30:0"]
    write("rikula", "Deep groove ball bearings, dimension series 02 and 03.", fields, rows)


def pekula():
    rows = []
    for series, dims in (("12", S02), ("13", S03), ("22", S22)):
        for d, D, B in dims:
            dpw = (d + D) / 2
            alpha = math.degrees(math.atan((4 * B - D + d) / (2 * (D + d))))
            t = math.tan(math.radians(alpha))
            dw = 0.22 * (D - d)
            z = max(8, int(math.pi * dpw / dw * 0.7 + 0.5))
            c, c0 = ball_rating(2, z, dw, dpw, alpha, FC_BALL_SELFALIGN, f0=2.0)
            n2, n1 = speeds(dpw, 550000)
            d1, D1, da, Da = common_ring(d, D)
            rows.append([series + code(d), f(d), f(D), f(B), f(c, 0), f(c0, 0), f(n2, 0), f(n1, 0), f(mass(d, D, B), 3),
                         f(d1), f(D1), f(chamfer(d, D)), f(da), f(Da), f(chamfer(d, D)), f(1.5 * t, 3),
                         f(0.42 / t, 3), f(0.65 / t, 3), f(0.44 / t, 3), f(alpha, 2), f(cu(c0, dpw, True)), "0.00", NOTE])
    fields = ["DESIG:C:20:0", "D:N:6:1", "DA:N:6:1", "B:N:6:1", "C:N:8:0", "C0:N:8:0", "NREF:N:6:0", "NLIM:N:6:0",
              "WEIGHT:N:7:3", "D1:N:6:1", "DA1:N:6:1", "RS:N:5:1", "DAMIN:N:6:1", "DAMAX:N:6:1", "RAMAX:N:5:1",
              "E:N:6:3", "Y1:N:6:3", "Y2:N:6:3", "Y0:N:6:3", "ALPHA:N:6:2", "CU:N:8:1", "PRICE:N:8:2",
              "REMARK:C:30:0"]
    write("pekula", "Self-aligning ball bearings, dimension series 02, 03 and 22.", fields, rows)


def nadelhul():
    rows = []
    for fw, D, C in CUPS:
        dw = max(1.5, (D - fw) / 2 - 1.0)
        dpw = fw + dw
        lwe = C - 4 if C > 10 else C - 3
        z = int(math.pi * dpw / (dw * 1.3))
        c, c0 = roller_rating(1, z, dw, lwe, dpw, 0)
        n2, n1 = speeds(dpw, 450000)
        # Field 6 is the cup's corner chamfer: the drawing takes the cup wall
        # as this chamfer less 0.1 mm, so it is the wall left beside the
        # needles plus 0.1.
        rs = (D - fw) / 2 - dw + 0.1
        rows.append(["HK%02d%02d" % (fw, C), f(fw), f(D), f(C), f(dw, 2), f(rs, 2), f(c, 0), f(c0, 0),
                     f(cu(c0, dpw, False)), f(n1, 0), str(z), "0.00", NOTE])
    fields = ["DESIG:C:20:0", "FW:N:6:1", "D:N:6:1", "C:N:6:1", "DW:N:6:2", "RS:N:6:2", "CDYN:N:8:0",
              "C0:N:8:0", "CU:N:8:1", "NLIM:N:6:0", "Z:N:4:0", "PRICE:N:8:2", "REMARK:C:30:0"]
    write("nadelhul", "Drawn cup needle roller bearings (needle bushes), open ends.", fields, rows)


def nalaoi():
    rows = []
    for fw, D, B, des in RNA49:
        dw = 2.0 if fw < 20 else 2.5 if fw < 42 else 3.0
        dpw = fw + dw
        lwe = B - 4
        z = int(math.pi * dpw / (dw * 1.3))
        c, c0 = roller_rating(1, z, dw, lwe, dpw, 0)
        n2, n1 = speeds(dpw, 450000)
        rows.append(["RNA" + des, f(fw), f(D), f(B), f(chamfer(fw, D)), f(c, 0), f(c0, 0), f(cu(c0, dpw, False), 0),
                     f(n2, 0), f(n1, 0), f(dw, 2), f(lwe, 2), f(chamfer(fw, D)), "0.00", NOTE])
    fields = ["DESIG:C:20:0", "FW:N:6:1", "D:N:6:1", "B:N:6:1", "RS:N:5:1", "C:N:8:0", "C0:N:8:0", "CU:N:8:0",
              "NREF:N:6:0", "NLIM:N:6:0", "DW:N:6:2", "LW:N:6:2", "RAMAX:N:5:1", "PRICE:N:8:2", "REMARK:C:30:0"]
    write("nalaoi", "Needle roller bearings without inner ring, dimension series 49.", fields, rows)


def zyrola():
    rows = []
    for series, dims, lf in (("NU2", S02, 1.0), ("NU22", S22, 1.4), ("NU3", S03, 1.0)):
        for d, D, B in dims:
            if d < 15:
                continue
            dpw = (d + D) / 2
            dw = 0.25 * (D - d)
            lwe = min(dw * lf, B - 2)
            z = int(math.pi * dpw / (1.35 * dw))
            c, c0 = roller_rating(1, z, dw, lwe, dpw, 0)
            n2, n1 = speeds(dpw, 500000)
            d1, D1, da, Da = common_ring(d, D)
            rows.append([series + code(d), f(d), f(D), f(B), f(c, 0), f(c0, 0), f(cu(c0, dpw, False), 0), f(n2, 0),
                         f(n1, 0), f(mass(d, D, B), 3), f(d1), f(D1), "0.000", f(chamfer(d, D)), f(chamfer(d, D)),
                         f(dw, 2), f(lwe, 2), str(z), f(da), f(Da), "0.00", NOTE])
    fields = ["DESIG:C:20:0", "D:N:6:1", "DA:N:6:1", "B:N:6:1", "C:N:8:0", "C0:N:8:0", "CU:N:8:0", "NREF:N:6:0",
              "NLIM:N:6:0", "WEIGHT:N:7:3", "D1:N:6:1", "DA1:N:6:1", "Y1:N:6:3", "RS:N:5:1", "RAMAX:N:5:1",
              "DW:N:6:2", "LW:N:6:2", "Z:N:4:0", "DAMIN:N:6:1", "DAMAX:N:6:1", "PRICE:N:8:2", "REMARK:C:30:0"]
    write("zyrola", "Cylindrical roller bearings NU, dimension series 02, 22 and 03.", fields, rows)


def kerola():
    rows = []
    for d, D, T, B, C in S302:
        alpha = 14.0
        t = math.tan(math.radians(alpha))
        dpw = (d + D) / 2
        dw = 0.22 * (D - d)
        lwe = 0.8 * B
        z = int(math.pi * dpw / (1.3 * dw))
        c, c0 = roller_rating(1, z, dw, lwe, dpw, alpha)
        n2, n1 = speeds(dpw, 400000)
        d1, D1, da, Da = common_ring(d, D)
        a = T / 2 + dpw / 2 * t
        r = chamfer(d, D)
        rows.append(["302" + code(d), f(d), f(D), f(T, 2), f(c, 0), f(c0, 0), f(cu(c0, dpw, False), 0), f(n2, 0),
                     f(n1, 0), f(mass(d, D, T), 3), f(d1), f(B), f(a), f(r), f(r), f(C), f(dw, 2), f(lwe, 2), f(da),
                     f(lwe, 2), f(Da), str(z), "0.0", "0.0", "0.0", "0.0", f(1.5 * t, 3), f(0.4 / t, 3),
                     f(0.22 / t, 3), f(alpha, 2), "0.00", NOTE])
    fields = ["DESIG:C:20:0", "D:N:6:1", "DA:N:6:1", "T:N:6:2", "C:N:8:0", "C0:N:8:0", "CU:N:8:0", "NREF:N:6:0",
              "NLIM:N:6:0", "WEIGHT:N:7:3", "D1:N:6:1", "B:N:6:1", "A:N:6:1", "RS:N:5:1", "RAMAX:N:5:1",
              "CWIDTH:N:6:1", "DW:N:6:2", "LW:N:6:2", "DAMIN:N:6:1", "LWE:N:6:2", "DAMAX:N:6:1", "Z:N:4:0",
              "RES1:N:5:1", "RES2:N:5:1", "RES3:N:5:1", "RES4:N:5:1", "E:N:6:3", "Y:N:6:3", "Y0:N:6:3",
              "ALPHA:N:6:2", "PRICE:N:8:2", "REMARK:C:30:0"]
    write("kerola", "Taper roller bearings, series 302 (ISO 355 2DB..).", fields, rows)


def perola():
    rows = []
    for d, D, B in S22:
        if d < 25:
            continue
        dpw = (d + D) / 2
        e = 0.27
        alpha = math.degrees(math.atan(e / 1.5))
        t = math.tan(math.radians(alpha))
        dw = 0.2 * (D - d)
        lwe = 0.38 * B
        z = int(math.pi * dpw / (1.3 * dw))
        c, c0 = roller_rating(2, z, dw, lwe, dpw, alpha, bm=1.15)
        n2, n1 = speeds(dpw, 350000)
        d1, D1, da, Da = common_ring(d, D)
        r = chamfer(d, D)
        rows.append(["222" + code(d), f(d), f(D), f(B), f(c, 0), f(c0, 0), f(cu(c0, dpw, False), 0), f(n2, 0),
                     f(n1, 0), f(mass(d, D, B), 3), f(d1), f(D1), f(r), f(da), f(Da), f(r), f(1.5 * t, 3),
                     f(0.45 / t, 3), f(0.67 / t, 3), f(0.44 / t, 3), f(alpha, 2), "0.00", NOTE])
    fields = ["DESIG:C:20:0", "D:N:6:1", "DA:N:6:1", "B:N:6:1", "C:N:8:0", "C0:N:8:0", "CU:N:8:0", "NREF:N:6:0",
              "NLIM:N:6:0", "WEIGHT:N:7:3", "D1:N:6:1", "DA1:N:6:1", "RS:N:5:1", "DAMIN:N:6:1", "DAMAX:N:6:1",
              "RAMAX:N:5:1", "E:N:6:3", "Y1:N:6:3", "Y2:N:6:3", "Y0:N:6:3", "ALPHA:N:6:2", "PRICE:N:8:2",
              "REMARK:C:30:0"]
    write("perola", "Spherical roller bearings, dimension series 22.", fields, rows)


def schrkula():
    rows = []
    for series, dims in (("72", S02), ("73", S03)):
        for d, D, B in dims:
            dpw = (d + D) / 2
            alpha = 40.0
            dw = min(25.4, 0.30 * (D - d))
            z = max(8, int(math.pi * dpw / dw * 0.7 + 0.5))
            c, c0 = ball_rating(1, z, dw, dpw, alpha, FC_BALL_SINGLE)
            n2, n1 = speeds(dpw, 600000)
            d1, D1, da, Da = common_ring(d, D)
            a = B / 2 + dpw / 2 * math.tan(math.radians(alpha))
            rows.append([series + code(d) + "B", f(d), f(D), f(B), f(c, 0), f(c0, 0), f(cu(c0, dpw, True), 0),
                         f(n2, 0), f(n1, 0), f(mass(d, D, B), 3), f(d1), f(D1), f(chamfer(d, D)), f(chamfer(d, D)),
                         f(a), f(da), f(Da), str(z), "0.00", NOTE])
    fields = ["DESIG:C:20:0", "D:N:6:1", "DA:N:6:1", "B:N:6:1", "C:N:8:0", "C0:N:8:0", "CU:N:8:0", "NREF:N:6:0",
              "NLIM:N:6:0", "WEIGHT:N:7:3", "D1:N:6:1", "DA1:N:6:1", "RS:N:5:1", "RAMAX:N:5:1", "A:N:6:1",
              "DAMIN:N:6:1", "DAMAX:N:6:1", "Z:N:4:0", "PRICE:N:8:2", "REMARK:C:30:0"]
    write("schrkula", "Single row angular contact ball bearings, 40 deg, series 72 and 73.", fields, rows)


def schrku2():
    rows = []
    for d, D, B in S32:
        dpw = (d + D) / 2
        alpha = 32
        dw = 0.22 * (D - d)
        z = max(8, int(math.pi * dpw / dw * 0.7 + 0.5))
        c, c0 = ball_rating(2, z, dw, dpw, alpha, FC_BALL_DOUBLE)
        n2, n1 = speeds(dpw, 500000)
        d1, D1, da, Da = common_ring(d, D)
        a = dpw * math.tan(math.radians(alpha))
        rows.append(["32" + code(d), f(d), f(D), f(B), f(c, 0), f(c0, 0), f(cu(c0, dpw, True), 0), str(alpha),
                     f(n2, 0), f(n1, 0), f(mass(d, D, B), 3), f(d1), f(D1), f(chamfer(d, D)), f(chamfer(d, D)),
                     f(a), f(da), f(Da), str(z), "0.00", NOTE])
    fields = ["DESIG:C:20:0", "D:N:6:1", "DA:N:6:1", "B:N:6:1", "C:N:8:0", "C0:N:8:0", "CU:N:8:0", "ALPHA:N:4:0",
              "NREF:N:6:0", "NLIM:N:6:0", "WEIGHT:N:7:3", "D1:N:6:1", "DA1:N:6:1", "RS:N:5:1", "RAMAX:N:5:1",
              "A:N:6:1", "DAMIN:N:6:1", "DAMAX:N:6:1", "Z:N:4:0", "PRICE:N:8:2", "REMARK:C:30:0"]
    write("schrku2", "Double row angular contact ball bearings, 32 deg, series 32.", fields, rows)


def nadelk():
    rows = []
    for fw, ew, bc in CAGES:
        dw = (ew - fw) / 2
        dpw = (fw + ew) / 2
        lwe = bc - 3 if bc <= 13 else bc - 4
        z = int(math.pi * dpw / (1.3 * dw))
        c, c0 = roller_rating(1, z, dw, lwe, dpw, 0)
        n2, n1 = speeds(dpw, 450000)
        rows.append(["K%dx%dx%d" % (fw, ew, bc), f(fw), f(ew), f(bc), f(c, 0), f(c0, 0), f(cu(c0, dpw, False), 0),
                     f(n1, 0), str(z), f(dw, 2), "0.00", NOTE])
    fields = ["DESIG:C:20:0", "FW:N:6:1", "EW:N:6:1", "BC:N:6:1", "C:N:8:0", "C0:N:8:0", "CU:N:8:0", "NLIM:N:6:0",
              "Z:N:4:0", "DW:N:6:2", "PRICE:N:8:2", "REMARK:C:30:0"]
    write("nadelk", "Needle roller and cage assemblies (needle cages).", fields, rows)


for make in (rikula, pekula, nadelhul, nalaoi, zyrola, kerola, perola, schrkula, schrku2, nadelk):
    make()
