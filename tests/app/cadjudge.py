# Judges CAD files by other programs' readers: a line for each file with its
# complaints, then "judged N". dxf: ezdxf's audit errors and layers used but
# not in the LAYER table; igs: OCCT's failed transfer checks (it transfers no
# note, entity 212, at all) and checkshape; stl: admesh's degenerate facets.
import importlib.util, os, re, shutil, subprocess, sys, tempfile

def output_of(args, **kw):
    # Readers print bytes of their own: admesh echoes the STL header's 80 bytes
    # without an end and whatever follows them in its memory. Take the output as
    # bytes and read it as Latin-1, which maps every byte, so no run can fail to
    # decode what another one happened to print.
    return subprocess.run(args, capture_output=True, **kw).stdout.decode("latin-1")

kind, files = sys.argv[1], sys.argv[2:]
draw = next(filter(None, map(shutil.which, ["DRAWEXE", "occt-draw-7.6", "occt-draw"])), None)
if not {"dxf": importlib.util.find_spec("ezdxf"), "igs": draw, "stl": shutil.which("admesh")}[kind]:
    sys.exit(print("missing", {"dxf": "ezdxf", "igs": "occt draw", "stl": "admesh"}[kind]))
judged = {}
for f in files if kind != "igs" else []:
    if kind == "dxf":
        import ezdxf
        doc = ezdxf.readfile(f)
        table = {layer.dxf.name.upper() for layer in doc.layers}
        used = {e.dxf.layer.upper() for layout in [doc.modelspace(), *doc.blocks] for e in layout}
        judged[f] = ["audit: " + e.message for e in doc.audit().errors] + ["layer " + n for n in sorted(used - table)]
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
print("".join("%s %s\n" % (os.path.basename(f), "; ".join(b)) for f, b in judged.items() if b) + "judged %d" % len(judged))
