#!/usr/bin/python3
"""Checks the drawings the batch tool reads and writes against ezdxf, a reader apart from ours.

Writes drawings with ezdxf (an ELLIPSE hole and edge, SPLINE edges and holes with and without
weights, SPLINEs given by fit points alone, with and without end tangents, blocks inserted turned, scaled, mirrored and nested, a MINSERT array, a drawing in
inches), reads each with `dravenor-cli shape-info` in millimetres and in inches and compares the
enclosed area and the extents with ezdxf's own flattening of the same entities (blocks expanded
by ezdxf). Then nests them all with `dravenor-cli nest` and checks the layouts with
`dravenor-cli check-layout`. Last, shape files of every kind of entity, and of 5303 entities,
converted with `dravenor-cli shp2dxf` read back without problems, each entity where it was and
no handle used twice.
Usage: check_modern_dxf.py DRAVENOR_CLI
"""
import math
import os
import re
import subprocess
import sys
import tempfile

import ezdxf
from batch_jobs import finish
from dxf_check import off_values, read_drawing
from ezdxf import disassemble, units
from ezdxf.math import Vec2, is_point_in_polygon_2d
from ezdxf.math import area as polygon_area

FLATTENING = 1e-4  # ezdxf's flattening distance: far below the import's tolerance
MEET = 1e-6        # ends closer than this meet
OUTLINE_TYPES = {"LINE", "ARC", "CIRCLE", "LWPOLYLINE", "POLYLINE", "ELLIPSE", "SPLINE"}


def ellipse_plate(doc, msp):
    msp.add_lwpolyline([(0, 0), (500, 0), (500, 300), (0, 300)], close=True)
    msp.add_ellipse((250, 150), major_axis=(60, 20), ratio=0.4)


def ellipse_edge(doc, msp):
    msp.add_line((0, 0), (80, 0))
    msp.add_ellipse((40, 0), major_axis=(40, 0), ratio=0.75, start_param=0, end_param=math.pi)
    msp.add_ellipse((40, 12), major_axis=(0, 8), ratio=0.5, dxfattribs={"extrusion": (0, 0, -1)})


def spline_edge(doc, msp):
    msp.add_lwpolyline([(0, 0), (100, 0), (100, 50)])
    msp.add_open_spline([(100, 50), (70, 90), (30, 20), (10, 60), (0, 0)], degree=3)
    msp.add_spline().set_closed([(30, 10, 0), (55, 10, 0), (55, 30, 0), (30, 30, 0)], degree=3)


def rational_spline(doc, msp):
    msp.add_line((0, 0), (50, 0))
    msp.add_rational_spline([(50, 0), (50, 50), (0, 50)], [1, math.sqrt(0.5), 1], degree=2)
    msp.add_line((0, 50), (0, 0))
    msp.add_spline().set_closed_rational([(10, 10, 0), (25, 10, 0), (25, 20, 0), (10, 20, 0)], [1, 3, 1, 0.5], degree=2)
    msp.add_open_spline([(30, 5), (40, 5), (40, 15), (30, 5)], degree=1)  # a triangle hole


def fit_point_spline(doc, msp):
    # An edge through fit points alone, with the directions at its ends written in the entity.
    msp.add_lwpolyline([(0, 0), (120, 0), (120, 40)])
    msp.add_spline([(120, 40), (90, 70), (60, 45), (25, 80), (0, 40)],
                   dxfattribs={"start_tangent": (-1, 1, 0), "end_tangent": (-1, -2, 0)})
    msp.add_line((0, 40), (0, 0))
    # Holes through fit points that end where they start, their end directions estimated.
    msp.add_spline([(30, 15), (50, 12), (60, 25), (45, 35), (30, 30), (30, 15)])
    msp.add_spline([(75, 10), (95, 10), (85, 28), (75, 10)])


def blocks(doc, msp):
    lug = doc.blocks.new("LUG", base_point=(0, 10))  # a rounded lug with a hole
    lug.add_lwpolyline([(0, 0, 0), (40, 0, 1), (40, 20, 0), (0, 20, 0)], format="xyb", close=True)
    lug.add_circle((40, 10), 4)
    pair = doc.blocks.new("PAIR", base_point=(5, 5))
    pair.add_blockref("LUG", (0, 10))
    pair.add_blockref("LUG", (120, 30), dxfattribs={"rotation": 90, "xscale": -1})
    msp.add_blockref("PAIR", (100, 100), dxfattribs={"rotation": 30, "xscale": 1.5, "yscale": 1.5})
    msp.add_blockref("LUG", (0, 250), dxfattribs={"xscale": 2, "yscale": 1})
    msp.add_blockref("LUG", (-60, 180), dxfattribs={"rotation": 200, "yscale": -0.5, "xscale": 0.5})
    msp.add_text("LUGS", dxfattribs={"insert": (0, 0), "height": 5})


def minsert(doc, msp):
    cell = doc.blocks.new("CELL")
    cell.add_lwpolyline([(0, 0), (20, 0), (20, 20), (0, 20)], close=True)
    cell.add_circle((10, 10), 5)
    msp.add_blockref("CELL", (10, 10), dxfattribs={"rotation": 15, "xscale": 0.8, "yscale": 0.8}).grid(
        size=(2, 3), spacing=(25, 30))


def inches(doc, msp):
    msp.add_lwpolyline([(0, 0), (4, 0), (4, 3), (0, 3)], close=True)
    msp.add_circle((2, 1.5), 0.5)


DRAWINGS = (ellipse_plate, ellipse_edge, spline_edge, rational_spline, fit_point_spline, blocks, minsert, inches)


def flattened(doc):
    """Every entity of the model, blocks expanded, as a list of points along it (ellipses and
    splines evaluated on the curve itself)."""
    paths = []
    for entity in disassemble.recursive_decompose(doc.modelspace()):
        if entity.dxftype() in ("ELLIPSE", "SPLINE"):
            points = entity.flattening(FLATTENING)
        elif entity.dxftype() in OUTLINE_TYPES and (path := disassemble.make_primitive(entity).path) is not None:
            points = path.flattening(FLATTENING)
        else:
            continue
        if len(points := [(v.x, v.y) for v in points]) > 1:
            paths.append(points)
    return paths


def close(a, b):
    return math.dist(a, b) <= MEET


def loops_of(paths):
    """Chains the paths end to end into closed loops; None when an end stays open."""
    loops = [list(p) for p in paths if close(p[0], p[-1])]
    open_paths = [list(p) for p in paths if not close(p[0], p[-1])]
    while open_paths:
        chain = open_paths.pop()
        while not close(chain[0], chain[-1]):
            k = next((i for i, p in enumerate(open_paths) if close(chain[-1], p[0]) or close(chain[-1], p[-1])), None)
            if k is None:
                return None
            p = open_paths.pop(k)
            chain += p[1:] if close(chain[-1], p[0]) else p[-2::-1]
        loops.append(chain)
    return loops


def reference(doc, factor):
    """Enclosed area (holes taken out), perimeter and extents as ezdxf draws the model."""
    paths = [[(x * factor, y * factor) for x, y in p] for p in flattened(doc)]
    loops = loops_of(paths)
    if loops is None:
        return None
    polygons = [Vec2.list(loop) for loop in loops]
    area = sum(polygon_area(p) * (-1) ** sum(is_point_in_polygon_2d(p[0], q) > 0 for q in polygons if q is not p)
               for p in polygons)
    perimeter = sum(math.dist(a, b) for loop in loops for a, b in zip(loop, loop[1:] + loop[:1]))
    xs, ys = zip(*(point for p in paths for point in p))
    return area, perimeter, (min(xs), min(ys), max(xs), max(ys))


def check_drawing(cli, path, doc, unit, expected_warnings):
    """Problems of one drawing read in one program unit ("mm" or "in")."""
    ref = reference(doc, units.conversion_factor(doc.units, units.MM if unit == "mm" else units.IN))
    name = f"{os.path.basename(path)} in {unit}"
    if ref is None:
        return [f"{name}: ezdxf's own outline does not close"]
    area, perimeter, box = ref
    text = subprocess.run([cli, "shape-info", path, "--units", unit], capture_output=True, text=True).stdout
    warnings = re.findall(r"warning: (.*)", text)
    m = re.search(r"extents: (\S+), (\S+) to (\S+), (\S+) \(", text)
    extents = tuple(float(v) for v in m.groups()) if m else (math.inf,) * 4
    read = float(m.group(1)) if (m := re.search(r"enclosed area: (\S+)", text)) else None
    checks = [("outline: closed" in text, "the outline is not closed"),
              (warnings == expected_warnings, f"warnings {warnings}, expected {expected_warnings}"),
              (read is not None and abs(read - area) <= 0.01 * perimeter + 0.005, f"area {read}, ezdxf {area:.3f}"),
              (read is not None and abs(read - area) <= 0.005 * area, f"area {read} not within 0.5 % of ezdxf's {area:.3f}"),
              (all(abs(a - b) <= 0.02 for a, b in zip(extents, box)), f"extents {extents}, ezdxf {box}")]
    entities = m.group(1) if (m := re.search(r"entities: (\d+)", text)) else 0
    print(f"{name}: {entities} entities, area {read} (ezdxf {area:.3f}), perimeter {perimeter:.1f}")
    return [f"{name}: {message}" for ok, message in checks if not ok]


def check_nesting(cli, folder, names):
    """Nests every drawing on plates with an elliptic hole; the layouts must be clean."""
    job = os.path.join(folder, "job.nst")
    parts = [arg for n in names if n != "ellipse_plate" for arg in ("--part", os.path.join(folder, n + ".dxf:2"))]
    run = subprocess.run([cli, "nest", "--sheet", os.path.join(folder, "ellipse_plate.dxf:6"), *parts, "--kerf", "1",
                          "--save", job], capture_output=True, text=True)
    problems = [f"nest: exit {run.returncode}: {run.stderr.strip()}"] if run.returncode else []
    problems += [f"nest does not say '{note}': {run.stderr.strip()}" for note in
                 ("blocks.dxf: skipped 1 TEXT", "inches.dxf: converted from inches to millimetres") if note not in run.stderr]
    check = subprocess.run([cli, "check-layout", job], capture_output=True, text=True)
    if check.returncode != 0:
        problems.append(f"check-layout: exit {check.returncode}: {check.stdout.strip()} {check.stderr.strip()}")
    print(*[line for line in run.stdout.splitlines() if line.startswith(("Layout", "Overall"))], sep="\n")
    return problems


def shape_line(x1, y1, x2, y2, rad=0):
    return (x1, y1, x2, y2, 0, 0, rad, 0, 0)


def shape_arc(cx, cy, r, a0, a1):
    return (0, 0, 0, 0, cx, cy, r, a0, a1)


def written_back(e, kind, values):
    """Whether ezdxf's entity is the shape entity: a line where the radius is not above 0, a
    circle where the angles lie a whole turn apart, an arc otherwise (angles on the circle)."""
    x1, y1, x2, y2, cx, cy, r, a0, a1 = e
    want = ("LINE", (x1, y1, x2, y2)) if r <= 0 else ("CIRCLE", (cx, cy, r)) if (a1 - a0) % 360 == 0 \
        else ("ARC", (cx, cy, r, a0, a1))
    return kind == want[0] and not off_values(kind, values, want[1], 1e-9)


def check_writing(cli, folder):
    """Shape files converted by shp2dxf: every kind of entity, and enough for handles past 5226."""
    kinds = [shape_line(0, 0, 100.125, 0), shape_arc(50, 50, 25, 0, 0), shape_arc(0, 0, 10, 90, 180),
             shape_arc(5, 5, 2, 0, 360), shape_arc(5, 5, 2, 360, 0), shape_arc(5, 5, 2, 30, 30), shape_line(1, 2, 3, 4, -5),
             shape_arc(-3.5, 2, 10, 350, 10), shape_arc(0, 0, 10, -90, 90), shape_line(0.1, -0.5, 1 / 3, 1e20),
             shape_line(1e-7, -7, 2e6, 0)]
    many = [shape_line(0, 0, 1, 0), shape_line(1, 0, 1, 1), shape_arc(0, 0, 1, 0, 90)] + \
        [shape_arc(n, 0, 1, 0, 45) if n % 7 == 1 else shape_line(n, 0, n, 1) for n in range(5300)]
    problems = []
    for name, entities in (("kinds", kinds), ("many", many)):
        shp, dxf = os.path.join(folder, name + ".shp"), os.path.join(folder, name + ".dxf")
        with open(shp, "w", newline="") as f:
            f.write("".join(",".join(f'"{v!r}"' for v in e) + "\r\n" for e in entities))
        subprocess.run([cli, "shp2dxf", shp, dxf], capture_output=True)
        version, found, got = read_drawing(dxf)
        problems += [f"{name}.dxf: {p}" for p in found + ([] if version == "AC1009" else [f"version {version}"])]
        if len(got) != len(entities) or len({handle for _, handle, _, _ in got}) != len(got):
            problems.append(f"{name}.dxf: {len(got)} entities, {len({h for _, h, _, _ in got})} handles, {len(entities)} written")
        problems += [f"{name}.dxf: entity {k + 1} is {kind} {values}, written {e}"
                     for k, ((kind, _, values, _), e) in enumerate(zip(got, entities)) if not written_back(e, kind, values)]
    print(f"shp2dxf: {len(kinds)} kinds of entity and {len(many)} entities read back")
    return problems


def main():
    cli = os.path.abspath(sys.argv[1])
    problems = []
    with tempfile.TemporaryDirectory() as folder:
        for make in DRAWINGS:
            name = make.__name__
            doc = ezdxf.new("R2018", units=units.IN if name == "inches" else units.MM)
            make(doc, doc.modelspace())
            path = os.path.join(folder, name + ".dxf")
            doc.saveas(path)
            for unit in ("mm", "in"):
                note = "converted from " + ("inches to millimetres" if unit == "mm" else "millimetres to inches")
                converted = (name == "inches") == (unit == "mm")
                expected = (["skipped 1 TEXT"] if name == "blocks" else []) + ([note] if converted else [])
                problems += check_drawing(cli, path, doc, unit, expected)
        problems += check_nesting(cli, folder, [make.__name__ for make in DRAWINGS]) + check_writing(cli, folder)
    return finish(problems, len(problems))


if __name__ == "__main__":
    sys.exit(main())
