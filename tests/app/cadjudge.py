# Judges CAD files by other programs' readers: a line for each file with its
# complaints, then "judged N". dxf: ezdxf's audit errors, layers used but
# not in the LAYER table and circles or arcs of negative radius; igs: OCCT's
# failed transfer checks (it transfers no note, entity 212, at all) and
# checkshape; stl: admesh's degenerate facets; extents, pairs of the same
# drawing as DXF and IGES: the box of the curves (texts left out) as ezdxf
# and OCCT read them, 0.05 mm apart at most, and no block definition among
# the roots OCCT transfers (a definition no instance places); action, the
# tooth contact view as DXF: its line of action (the one line on layer 0)
# carries the five contact point marks and ends at a frame side x = -W or
# W or where it touches a base circle about (0, 0) or (0, a).
import importlib.util, os, re, shutil, subprocess, sys, tempfile

def output_of(args, **kw):
    # Readers print bytes of their own: admesh echoes the STL header's 80 bytes
    # without an end and whatever follows them in its memory. Take the output as
    # bytes and read it as Latin-1, which maps every byte, so no run can fail to
    # decode what another one happened to print.
    return subprocess.run(args, capture_output=True, **kw).stdout.decode("latin-1")

kind, files = sys.argv[1], sys.argv[2:]
draw = next(filter(None, map(shutil.which, ["DRAWEXE", "occt-draw-7.6", "occt-draw"])), None)
if not {"dxf": importlib.util.find_spec("ezdxf"), "igs": draw, "stl": shutil.which("admesh"),
        "extents": draw and importlib.util.find_spec("ezdxf"), "action": importlib.util.find_spec("ezdxf")}[kind]:
    sys.exit(print("missing", {"dxf": "ezdxf", "igs": "occt draw", "stl": "admesh", "extents": "ezdxf or occt draw", "action": "ezdxf"}[kind]))
def curves(entities):
    for e in entities:
        if e.dxftype() == "INSERT":
            yield from curves(e.virtual_entities())
        elif e.dxftype() != "TEXT":
            yield e
judged = {}
for f in files if kind in ("dxf", "stl") else []:
    if kind == "dxf":
        import ezdxf
        doc = ezdxf.readfile(f)
        table = {layer.dxf.name.upper() for layer in doc.layers}
        used = {e.dxf.layer.upper() for layout in [doc.modelspace(), *doc.blocks] for e in layout}
        judged[f] = ["audit: " + e.message for e in doc.audit().errors] + ["layer " + n for n in sorted(used - table)]
        judged[f] += ["negative radius %g" % e.dxf.radius for layout in [doc.modelspace(), *doc.blocks] for e in layout
                      if e.dxftype() in ("CIRCLE", "ARC") and e.dxf.radius < 0]
    else:
        n = re.findall(r"Degenerate facets\s*:\s*(\d+)", output_of(["admesh", f]))
        judged[f] = ["not read"] if not n else [] if n[0] == "0" else [n[0] + " degenerate facets"]
if kind == "igs":
    with tempfile.TemporaryDirectory() as d:
        open(d + "/judge.tcl", "w").write("pload MODELING DATAEXCHANGE\n" + "".join(
            'catch {unset a}\nputs "FILE %s"\ncatch {igesread {%s} a *; puts [tpstat c]; puts "CHECK [checkshape a]"}\n'
            % (f, os.path.abspath(f)) for f in files) + "exit\n")
        out = output_of([draw, "-b", "-f", "judge.tcl"], cwd=d)
    for part in out.split("\nFILE ")[1:]:
        lines = part.splitlines()
        judged[lines[0]] = [l.strip() for l in lines if re.match(r"\s*\d+\s+F:", l) and "F:212 0   GeneralNote   : Form 0 : Not an implemented" not in l]
        judged[lines[0]] += [] if "CHECK This shape seems to be valid" in part else ["checkshape: not valid"]
if kind == "extents":
    import ezdxf, ezdxf.bbox
    pairs = list(zip(files[::2], files[1::2]))
    with tempfile.TemporaryDirectory() as d:
        open(d + "/box.tcl", "w").write("pload MODELING DATAEXCHANGE\n" + "".join(
            'catch {unset a}\nputs "FILE %s"\ncatch {igesread {%s} a *; puts "BOX [bounding a]"}\n'
            'puts [listtypes xst-transferrable-roots]\n' % (i, os.path.abspath(i)) for _, i in pairs) + "exit\n")
        out = output_of([draw, "-b", "-f", "box.tcl"], cwd=d)
    occt = {p.splitlines()[0]: p for p in out.split("\nFILE ")[1:]}
    for x, i in pairs:
        b = ezdxf.bbox.extents(curves(ezdxf.readfile(x).modelspace()))
        want = [b.extmin.x, b.extmin.y, b.extmax.x, b.extmax.y] if b.has_data else []
        got = [float(v) for v in (re.findall(r"BOX (.*)", occt.get(i, "")) or [""])[0].split()]
        got = got[0:2] + got[3:5] if got else []
        judged[i] = [] if len(want) == len(got) and all(abs(a - b) <= 0.05 for a, b in zip(want, got)) else [
            "curves %s in the DXF, %s in the IGES" % (["%.3f" % v for v in want], ["%.3f" % v for v in got])]
        judged[i] += ["unplaced block transferred"] if "SubfigureDef" in occt.get(i, "") else []
for f in files if kind == "action" else []:
    import ezdxf
    ms = ezdxf.readfile(f).modelspace()
    w = max(abs(p.x) for e in ms.query('LINE[layer=="3"]') for p in (e.dxf.start, e.dxf.end))
    a = float(next(t.dxf.text[4:] for t in ms.query("TEXT") if t.dxf.text.startswith("a = ")))
    line = ms.query('LINE[layer=="0"]')
    marks = [c.dxf.center for c in ms.query('CIRCLE[layer=="3"]')]
    judged[f] = [] if len(line) == 1 and len(marks) == 5 else ["%d lines, %d marks" % (len(line), len(marks))]
    if judged[f]:
        continue
    p, q = line[0].dxf.start, line[0].dxf.end
    u = (q - p).normalize()
    judged[f] += ["mark %s off the line" % m for m in marks if abs((m - p).x * u.y - (m - p).y * u.x) > 1e-4
                  or not -1e-4 < (m - p).dot(u) < (q - p).magnitude + 1e-4]
    judged[f] += ["end %s" % e for e in (p, q) if abs(abs(e.x) - w) > 1e-4 and
                  min(abs(e.dot(u)), abs((e - ezdxf.math.Vec3(0, a)).dot(u))) > 1e-4]
print("".join("%s %s\n" % (os.path.basename(f), "; ".join(b)) for f, b in judged.items() if b) + "judged %d" % len(judged))
