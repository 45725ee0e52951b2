#!/usr/bin/python3
"""Random nesting jobs, nested in every mode and checked as a shop would cut them.

Each job comes from its seed alone: convex and concave polygons, rounded plates with round
holes, rings, half rings, thin strips, L shapes, slanted and turned outlines, some as DXF; tall,
wide, turned and notched sheets with a hole; "No", "step90" and "step180" parts, parts that may
lie mirrored, quantities, priorities, a kerf from 0.5 to 6, in half the jobs two different
A/plate.shp and B/plate.shp, and in a third of them parts kept out of other parts' holes. Every
run is saved, then judged here apart from the program:
  overlap      check-layout finds no fault (and no faulty layout is called a full optimisation)
  kerf         the classic modes keep parts at least the kerf apart and at least half of it from
               the sheet's outline and holes, on the true outlines (0.01 allowed for rounding)
  orientation  every placed outline is its drawing, mirrored when the run says so, turned by the
               angle it gives and moved; "No" parts lie exactly as drawn, "step180" parts at 0 or
               180 degrees and "step90" parts at right angles in the drawing the sheet is seen
               in, whatever turn the engine nested the sheet at; only Deep Nesting mirrors, and
               only parts allowed to
  holes        with parts inside holes off, no part lies in a hole of another
  report       the report's parts produced agree with the placed instances, mirrored ones too
  dxf          (Deep Nesting) each layout's DXF drawing, read with ezdxf, holds the outlines the
               run placed, mirrored ones as they lie
  yield        each layout's and the overall yield are the exact part area (arcs exact, holes
               subtracted) over the exact sheet area, to 0.1 points
  count        placed plus unplaced parts make the demand; no sheet is used beyond its stock
  run          nest and check-layout finish and write what they were asked to
Prints one line per failed check and run, keeps the job's files, and exits 1 when a check fails
that --known-faults does not name.
"""
import argparse
import concurrent.futures
import itertools
import json
import math
import os
import random
import shutil
import subprocess
import sys

import ezdxf
import batch_jobs
from batch_jobs import (arc, circle, enclosed_area, ends, entity_of_json, inside, line, loop_area, loops, point_at, read_shape,
                        sweep)
from dxf_check import read_drawing

CHECKS = ("overlap", "kerf", "orientation", "holes", "yield", "count", "report", "dxf", "run")
CHECK_TOLERANCE = "0.01"   # depth an outline may reach into another, in mm
KERF_NOISE = 0.01          # how far the classic modes may fall short of the kerf, in mm
# check-layout's lines for parts nearer each other than the spacing or the sheet than the margin
KERF_FAULTS = ("less than the spacing", "less than the margin")
ANGLE_TOLERANCE = 0.01     # degrees
YIELD_TOLERANCE = 0.001    # 0.1 points


# ---- entities as shape files hold them (batch_jobs.py)

def polygon(points):
    return [line(p, q) for p, q in zip(points, points[1:] + points[:1])]


def turned_point(p, degrees):
    c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))
    return (p[0] * c - p[1] * s, p[0] * s + p[1] * c)


def turned(entities, degrees):
    return [line(turned_point(e[0:2], degrees), turned_point(e[2:4], degrees)) if e[6] == 0
            else circle(turned_point(e[4:6], degrees), e[6]) if e[7] == e[8]
            else arc(turned_point(e[4:6], degrees), e[6], e[7] + degrees, e[8] + degrees) for e in entities]


def close(p, q):
    return math.dist(p, q) < 1e-3


# ---- shape files

def write_shape(path, entities, as_dxf):
    batch_jobs.write_shape(path, entities)
    if as_dxf:
        doc = ezdxf.new("R12")
        for x1, y1, x2, y2, cx, cy, r, a0, a1 in entities:
            if r == 0:
                doc.modelspace().add_line((x1, y1), (x2, y2))
            elif a0 == a1:
                doc.modelspace().add_circle((cx, cy), r)
            else:
                doc.modelspace().add_arc((cx, cy), r, a0, a1)
        doc.saveas(path[:-4] + ".dxf")


# ---- placed outlines: a drawing mirrored, turned and moved, compared entity by entity with what
# the run says it placed

ENTITY_TOLERANCE = 0.01  # mm


def mirrored(entities):
    """Left to right about x = 0: a direction a becomes 180 - a, so an arc runs from its mirrored
    end to its mirrored start."""
    return [line((-e[0], e[1]), (-e[2], e[3])) if e[6] == 0
            else circle((-e[4], e[5]), e[6]) if e[7] == e[8]
            else arc((-e[4], e[5]), e[6], 180 - e[8], 180 - e[7]) for e in entities]


def moved(entities, dx, dy):
    return [(e[0] + dx, e[1] + dy, e[2] + dx, e[3] + dy, e[4] + dx, e[5] + dy, *e[6:]) if e[6]
            else (e[0] + dx, e[1] + dy, e[2] + dx, e[3] + dy, *e[4:]) for e in entities]


def extents(entities):
    points = []
    for e in entities:
        if e[6] == 0:
            points += [e[0:2], e[2:4]]
        else:
            a0, a1 = e[7], e[7] + sweep(e)
            points += [point_at(e, a) for a in [a0, a1] + [q for q in range(0, 720, 90) if a0 < q < a1]]
    return min(p[0] for p in points), min(p[1] for p in points)


def key_points(e):
    """The points that fix an entity whatever its direction: a line's ends, a circle's centre and
    a point of its radius, an arc's centre, ends and middle."""
    def in_order(points):  # ends in an order rounding cannot swap
        return sorted(points, key=lambda p: (round(p[0], 3), round(p[1], 3)))
    if e[6] == 0:
        return ("line", in_order([e[0:2], e[2:4]]))
    if e[7] == e[8]:
        return ("circle", [e[4:6], (e[4] + e[6], e[5])])
    return ("arc", [e[4:6]] + in_order(ends(e)) + [point_at(e, e[7] + sweep(e) / 2)])


def rounded_key(key):
    kind, points = key
    return kind, tuple((round(x, 3) + 0.0, round(y, 3) + 0.0) for x, y in points)


def same_points(kind, points, others):
    """Whether the key points lie within the tolerance, a line's or an arc's ends in either order."""
    orders = [points, points[::-1] if kind == "line" else [points[0], points[2], points[1], points[3]] if kind == "arc" else points]
    return any(all(math.dist(p, q) <= ENTITY_TOLERANCE for p, q in zip(order, others)) for order in orders)


def unmatched(expected, placed):
    """How many entities of either list find no entity of the other at their key points: equal
    keys to a thousandth first, then any within the tolerance."""
    left = {}
    for key in map(key_points, placed):
        left.setdefault(rounded_key(key), []).append(key)
    missing = [key for key in map(key_points, expected) if not (left.get(rounded_key(key)) or [None]).pop()]
    rest, count = [key for keys in left.values() for key in keys], 0
    for kind, points in missing:
        at = next((k for k, (other, others) in enumerate(rest) if other == kind and same_points(kind, points, others)), None)
        if at is None:
            count += 1
        else:
            rest.pop(at)
    return count + len(rest)


def dxf_entities(path):
    return [line(v[0:2], v[2:4]) if kind == "LINE" else circle(v[0:2], v[2]) if kind == "CIRCLE" else arc(v[0:2], *v[2:5])
            for kind, _, v, _ in read_drawing(path)[2] if kind in ("LINE", "CIRCLE", "ARC")]


def placed_as_said(drawing, instance):
    """Whether the instance's entities are the drawing, mirrored when it says so, turned by its
    angle and moved."""
    expected = turned(mirrored(drawing) if instance.get("mirrored") else drawing, instance["angle"])
    placed = [entity_of_json(d) for d in instance["entities"]]
    (ex, ey), (px, py) = extents(expected), extents(placed)
    return unmatched(moved(expected, px - ex, py - ey), placed) == 0


def parts_in_holes(layout):
    """Instances of the layout lying in a hole of another (every loop of its outline but the
    largest): (part, instance, holder, instance)."""
    placed = [[entity_of_json(d) for d in i["entities"]] for i in layout["instances"]]
    found = []
    for k, outline in enumerate(placed):
        for hole in sorted(loops(outline, 1e-3), key=loop_area, reverse=True)[1:]:
            for j, other in enumerate(placed):
                if j != k and inside(ends(other[0])[0], [e for e, _ in hole]):
                    found.append((layout["instances"][j]["part"], j + 1, layout["instances"][k]["part"], k + 1))
    return found


def report_produced(path):
    """Parts produced per name as the report's part summary lists them."""
    with open(path, encoding="latin-1") as f:
        lines = f.read().splitlines()
    start = next(k for k, text in enumerate(lines) if text.startswith("Part(s) Utilization Summary"))
    produced = {}
    for text in lines[start + 4:]:
        if not text.strip():
            break
        name, _, made = text.split()[:3]
        produced[name] = produced.get(name, 0) + int(made)
    return produced


# ---- random parts, each about `size` mm across (the draws of each kind in a fixed order)

def slanted_part(rng, size):
    h = size * rng.uniform(0.3, 0.9)
    a, b = size * rng.uniform(0, 0.4), size * rng.uniform(0.6, 1)
    return polygon([(0, 0), (size, 0), (b, h), (a, h)])


def convex_part(rng, size):
    n = rng.randint(3, 9)
    angles = sorted(rng.uniform(0, 2 * math.pi) for _ in range(n))
    squeeze = rng.uniform(0.3, 1)
    shape = polygon([(size / 2 * math.cos(a), size / 2 * squeeze * math.sin(a)) for a in angles])
    return shape if enclosed_area(shape, 1e-3) > size * size * 0.02 else slanted_part(rng, size)


def star_part(rng, size):
    n, inner = rng.randint(4, 8), rng.uniform(0.35, 0.7)
    return polygon([turned_point((size / 2 * (1 if k % 2 == 0 else inner), 0), 180 * k / n) for k in range(2 * n)])


def l_part(rng, size):
    w, h = size, size * rng.uniform(0.4, 1)
    t, u = w * rng.uniform(0.15, 0.5), h * rng.uniform(0.15, 0.5)
    return polygon([(0, 0), (w, 0), (w, u), (t, u), (t, h), (0, h)])


def thin_part(rng, size):
    width, shear = rng.uniform(1.5, 10), rng.uniform(-0.3, 0.3) * size
    return polygon([(0, 0), (size, 0), (size + shear, width), (shear, width)])


def holed_plate(rng, size):
    w, h = size, size * rng.uniform(0.5, 1)
    r = min(w, h) * rng.uniform(0.05, 0.25)
    corners = [arc(c, r, a, a + 90) for c, a in [((w - r, r), 270), ((w - r, h - r), 0), ((r, h - r), 90), ((r, r), 180)]]
    holes = rng.randint(1, 3)
    hole = min(w / holes, h) * rng.uniform(0.1, 0.3)
    return (corners + [line(ends(corners[k])[1], ends(corners[(k + 1) % 4])[0]) for k in range(4)]
            + [circle((w * (k + 0.5) / holes, h / 2), hole) for k in range(holes)])


def ring_part(rng, size):
    return [circle((0, 0), size / 2), circle((0, 0), size / 2 * rng.uniform(0.3, 0.85))]


def half_ring_part(rng, size):
    big, small = size / 2, size / 2 * rng.uniform(0.3, 0.8)
    return [arc((0, 0), big, 0, 180), line((-big, 0), (-small, 0)), arc((0, 0), small, 0, 180), line((small, 0), (big, 0))]


PART_MAKERS = (convex_part, star_part, l_part, thin_part, slanted_part, holed_plate, ring_part, half_ring_part)


def random_part(rng, size, kerf):
    """A part whose corners lie at least a kerf apart (the cut cannot draw finer detail), turned in
    three parts of ten."""
    while True:
        entities = rng.choice(PART_MAKERS)(rng, size)
        points = [p for e in entities for p in ends(e)]
        if min((math.dist(p, q) for p, q in itertools.combinations(points, 2) if not close(p, q)), default=math.inf) >= kerf:
            return turned(entities, rng.uniform(0, 360)) if rng.random() < 0.3 else entities


# ---- random sheets: (kind, entities, direction of the sheet's x axis as the user sees it). A
# sheet drawn turned shows its edges in two directions a right angle apart; its x axis is the one
# nearer the drawing's (turns within 3 degrees of 45 are left out as ambiguous).

def random_turn(rng):
    """(turn, direction of the x axis) of a sheet drawn turned."""
    turn = rng.uniform(0, 360)
    x_axis = (turn + 45) % 90 - 45
    return (turn, x_axis) if abs(x_axis) < 42 else random_turn(rng)


def rectangle(w, h):
    return polygon([(0, 0), (w, 0), (w, h), (0, h)])


def random_sheet(rng):
    kind = rng.choice(("tall", "wide", "turned", "notched"))
    if kind == "tall":
        w = rng.uniform(400, 1000)
        return kind, rectangle(w, w * rng.uniform(1.1, 1.8)), 0
    if kind == "wide":
        h = rng.uniform(300, 700)
        return kind, rectangle(h * rng.uniform(1.3, 2.2), h), 0
    if kind == "turned":
        w = rng.uniform(400, 900)
        turn, x_axis = random_turn(rng)
        return kind, turned(rectangle(w, w * rng.choice([0.6, 0.8, 1.25, 1.5])), turn), x_axis
    # A corner gone and a round hole, half of them drawn turned.
    h = rng.uniform(400, 800)
    w = h * rng.uniform(1.2, 1.8)
    nx, ny = w * rng.uniform(0.2, 0.4), h * rng.uniform(0.2, 0.4)
    entities = polygon([(0, 0), (w, 0), (w, h - ny), (w - nx, h), (0, h)])
    entities.append(circle((w * 0.45, h * 0.45), h * rng.uniform(0.05, 0.12)))
    turn, x_axis = random_turn(rng) if rng.random() < 0.5 else (0, 0)
    return kind, turned(entities, turn), x_axis


# ---- jobs: kerf, sheets (file, stock, priority, kind, direction of its x axis), parts (file,
# quantity, priority, Orn) and the exact area of every file

def random_job(seed, folder):
    rng = random.Random(seed)
    job = {"kerf": rng.choice([0.5, 1, 1.5, 2, 2.5, 3, 4, 5, 6]), "sheets": [], "parts": [], "areas": {},
           "mirror": {}, "folder": folder}

    def add_shape(name, entities, as_dxf=False):
        write_shape(os.path.join(folder, name), entities, as_dxf)
        area = enclosed_area(read_shape(os.path.join(folder, name)), 1e-3)
        name = name[:-4] + ".dxf" if as_dxf else name
        job["areas"][name] = area
        return name

    smallest = math.inf
    for k in range(rng.randint(2, 4)):
        kind, entities, x_axis = random_sheet(rng)
        points = [p for e in turned(entities, -x_axis) for p in ends(e)]
        smallest = min([smallest] + [max(p[i] for p in points) - min(p[i] for p in points) for i in (0, 1)])
        job["sheets"].append((add_shape(f"sheets/s{k + 1}-{kind}.shp", entities), rng.randint(1, 3),
                              rng.randint(0, 2), kind, x_axis))
    names = [f"parts/p{k + 1}.shp" for k in range(rng.randint(3, 6))]
    names += ["A/plate.shp", "B/plate.shp"] if rng.random() < 0.5 else []
    for name in names:
        size = smallest * rng.uniform(0.08, 0.4)
        as_dxf = rng.random() < 0.15 and not name.endswith("plate.shp")
        name = add_shape(name, random_part(rng, size, job["kerf"]), as_dxf)
        orn = rng.choice(["", "", "No", "step90", "step180"])
        qty = rng.randint(8, 30) if rng.random() < 0.3 else rng.randint(1, 6)
        job["parts"].append((name, qty, rng.randint(0, 3), orn))
        job["mirror"][name] = rng.random() < 0.3
    job["holes"] = rng.random() < 0.67
    return job


def job_args(job):
    # A thickness the shipped cut table has no row for: each job nests at its own kerf.
    args = ["--mat", "S235", "--thick", "9", "--kerf", str(job["kerf"])]
    args += [a for name, stock, pri, _, _ in job["sheets"] for a in ("--sheet", f"{name}:{stock}:{pri}")]
    args += [a for name, qty, pri, orn in job["parts"]
             for a in ("--part", f"{name}:{qty}:{pri}:{orn}" + (":mirror" if job["mirror"][name] else ""))]
    return args + ([] if job["holes"] else ["--no-parts-in-holes"])


# ---- the checks of one mode's run: each gives a list of (check, text)

def dxf_faults(folder, mode, result):
    """Each layout's drawing against the outlines the run placed (the sheet's too)."""
    wrong = []
    for layout in result["layouts"]:
        said = [entity_of_json(d) for i in layout["instances"] for d in i["entities"]]
        said += [entity_of_json(d) for d in layout["sheetEntities"]]
        n = unmatched(said, dxf_entities(os.path.join(folder, f"dxf-{mode}", f"layout-{layout['number']}.dxf")))
        if n:
            wrong.append(f"layout {layout['number']}: {n} entities differ")
    return [("dxf", "; ".join(wrong))] if wrong else []


def report_faults(cli, folder, mode, placed):
    """The report of the saved job against the parts placed, summed per file name (the same file
    name in two folders shares a line)."""
    run = subprocess.run([cli, "report", f"{mode}.nst", "-o", f"{mode}.report.tlf"], cwd=folder, capture_output=True,
                         text=True, timeout=600)
    if run.returncode != 0:
        return [("run", f"report exit {run.returncode}: {run.stderr.strip()[-300:]}")]
    expected = {}
    for name, n in placed.items():
        short = os.path.basename(name)
        expected[short] = expected.get(short, 0) + n
    listed = report_produced(os.path.join(folder, f"{mode}.report.tlf"))
    wrong = [f"{name}: report {listed.get(name, 0)} produced, placed {n}" for name, n in sorted(expected.items())
             if listed.get(name, 0) != n]
    return [("report", "; ".join(wrong))] if wrong else []


def run_faults(cli, job, folder, mode, extra):
    """Nests the job in the mode (with the extra nest arguments), checks the saved layouts (a Deep
    Nesting job at its own spacing too) and judges the result."""
    drawings = ["--dxf-dir", f"dxf-{mode}"] if mode == "deep" else []
    nest = subprocess.run([cli, "nest", *job_args(job), "--mode", mode, *extra, *drawings, "--save", f"{mode}.nst",
                           "--json", f"{mode}.json"], cwd=folder, capture_output=True, text=True, timeout=600)
    if nest.returncode not in (0, 1) or not os.path.exists(os.path.join(folder, f"{mode}.json")):
        return [("run", f"nest exit {nest.returncode}: {(nest.stderr or nest.stdout).strip()[-300:]}")]
    # Deep Nesting is checked at its own spacing and margin; the classic modes at the kerf.
    kerf = float(job["kerf"])
    room = [] if mode == "deep" else ["--spacing", f"{kerf - KERF_NOISE:g}", "--margin", f"{kerf / 2 - KERF_NOISE:g}"]
    check = subprocess.run([cli, "check-layout", f"{mode}.nst", "--tolerance", CHECK_TOLERANCE, *room],
                           cwd=folder, capture_output=True, text=True, timeout=600)
    with open(os.path.join(folder, f"{mode}.check.txt"), "w") as f:
        f.write(nest.stdout + nest.stderr + check.stdout + check.stderr)
    with open(os.path.join(folder, f"{mode}.json")) as f:
        result = json.load(f)
    faults = []
    if check.returncode not in (0, 1):
        faults.append(("run", f"check-layout exit {check.returncode}: {check.stderr.strip()}"))
    elif check.returncode == 1:
        lines = check.stdout.strip().splitlines()
        full = " (and nest said Full Optimization Done)" if result["statusText"].startswith("Full") else ""
        near = [line for line in lines[:-1] if any(words in line for words in KERF_FAULTS)]
        other = [line for line in lines[:-1] if line not in near]
        if other:
            faults.append(("overlap", f"{lines[-1]}{full}; first: {other[0]}"))
        if near and mode != "deep":
            faults.append(("kerf", f"{len(near)} part(s) too near at kerf {kerf:g}; first: {near[0]}"))
        elif near:
            faults.append(("overlap", f"{lines[-1]}{full}; first: {near[0]}"))

    orn_of = {name: orn for name, _, _, orn in job["parts"]}
    kind_of = {name: kind for name, _, _, kind, _ in job["sheets"]}
    outlines = {name: read_shape(os.path.join(folder, name[:-4] + ".shp")) for name in orn_of}
    area = job["areas"]
    wrong, yields, parts, sheets, in_holes = [], [], 0.0, 0.0, []
    made = {name: 0 for name, _, _, _ in job["parts"]}
    used = {name: 0 for name, _, _, _, _ in job["sheets"]}
    for layout in result["layouts"]:
        used[layout["sheet"]] += layout["qty"]
        where = f"on {kind_of[layout['sheet']]} sheet {layout['sheet']}"
        for i in layout["instances"]:
            made[i["part"]] += layout["qty"]
            orn, flipped = orn_of[i["part"]], i.get("mirrored", False)
            step = {"No": 360, "step180": 180, "step90": 90}.get(orn)
            said = f"{i['part']} ({orn or 'any turn'}{', mirrored' if flipped else ''}) at {i['angle']:g} deg {where}"
            if step and abs((i["angle"] + step / 2) % step - step / 2) > ANGLE_TOLERANCE:
                wrong.append(said)
            elif flipped and (mode != "deep" or not job["mirror"][i["part"]]):
                wrong.append(said + ": may not be mirrored")
            elif not placed_as_said(outlines[i["part"]], i):
                wrong.append(said + ": the outline is not its drawing so placed")
        if not job["holes"]:
            in_holes += [f"{a} (instance {j}) in a hole of {b} (instance {k}) in layout {layout['number']}"
                         for a, j, b, k in parts_in_holes(layout)]
        placed = sum(area[i["part"]] for i in layout["instances"])
        parts, sheets = parts + placed * layout["qty"], sheets + area[layout["sheet"]] * layout["qty"]
        if abs(layout["yield"] - placed / area[layout["sheet"]]) > YIELD_TOLERANCE:
            yields.append(f"layout {layout['number']} yield {layout['yield'] * 100:.2f}%, "
                          f"exact {placed / area[layout['sheet']] * 100:.2f}%")
    faults += report_faults(cli, folder, mode, made)
    if mode == "deep":
        faults += dxf_faults(folder, mode, result)
    if sheets and abs(result["overallYield"] - parts / sheets) > YIELD_TOLERANCE:
        yields.append(f"overall yield {result['overallYield'] * 100:.2f}%, exact {parts / sheets * 100:.2f}%")
    for unplaced in result["unplaced"]:
        made[unplaced["part"]] += unplaced["remaining"]
    counts = [f"{name}: {made[name]} placed and unplaced, demand {qty}" for name, qty, _, _ in job["parts"]
              if made[name] != qty]
    counts += [f"{name}: {used[name]} used, stock {stock}" for name, stock, _, _, _ in job["sheets"] if used[name] > stock]
    faults += [("orientation", f"{len(wrong)} part(s) not as drawn; first: {wrong[0]}")] if wrong else []
    faults += [("holes", f"{len(in_holes)} part(s) in holes; first: {in_holes[0]}")] if in_holes else []
    faults += [("yield", f"{len(yields)} yield(s) off; first: {yields[0]}")] if yields else []
    return faults + ([("count", "; ".join(counts))] if counts else [])


def check_job(cli, seed, modes, keep, mode_args):
    """Runs one job in every mode in keep/seed-N, which stays only when a check fails (the saved
    jobs name their shapes by absolute path); (seed, [(mode, check, text)], folder or None)."""
    folder = os.path.join(keep, f"seed-{seed}")
    shutil.rmtree(folder, ignore_errors=True)
    job = random_job(seed, folder)
    with open(os.path.join(folder, "job.args"), "w") as f:
        f.write("\n".join(job_args(job)) + "\n")
    faults = []
    for mode in modes:
        try:
            faults += [(mode, c, text) for c, text in run_faults(cli, job, folder, mode, mode_args.get(mode, []))]
        except subprocess.TimeoutExpired as timeout:
            faults.append((mode, "run", f"{timeout.cmd[1]} took longer than {timeout.timeout} s"))
    if not faults:
        shutil.rmtree(folder)
    return seed, faults, folder if faults else None


def main():
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("--cli", default="build/dravenor-cli", help="the batch tool to check")
    p.add_argument("--seed", type=int, default=1, help="seed of the first job")
    p.add_argument("--count", type=int, default=20, help="number of jobs (seeds seed, seed+1, ...)")
    p.add_argument("--modes", default="stack,continuous,free", help="comma-separated nesting modes (deep too)")
    p.add_argument("--deep-iterations", default="40",
                   help="the work of each Deep Nesting run: a slow machine or build gets the same layouts")
    p.add_argument("--keep", default="random-jobs-kept", help="folder for the files of failing jobs")
    p.add_argument("--jobs", type=int, default=1, help="jobs run at the same time")
    p.add_argument("--known-faults", default="",
                   help="comma-separated checks reported without failing the run: overlap, kerf, orientation, holes, yield")
    args = p.parse_args()
    modes = [m for m in args.modes.split(",") if m]
    known = {c for c in args.known_faults.split(",") if c}
    if known - {"overlap", "kerf", "orientation", "holes", "yield"}:
        p.error(f"--known-faults: unknown check(s) {', '.join(sorted(known - set(CHECKS)))}")
    cli, keep = os.path.abspath(args.cli), os.path.abspath(args.keep)
    with concurrent.futures.ThreadPoolExecutor(max_workers=args.jobs) as pool:
        results = list(pool.map(lambda seed: check_job(cli, seed, modes, keep, {"deep": ["--iterations",
                                                                                        args.deep_iterations]}),
                                range(args.seed, args.seed + args.count)))
    for seed, faults, kept in results:
        for mode, check, text in faults:
            print(f"seed {seed} {mode}: {check}{' [known]' if check in known else ''}: {text} (files: {kept})")
    failed_runs = {(seed, mode) for seed, faults, _ in results for mode, _, _ in faults}
    print(f"{len(results)} jobs x {len(modes)} modes = {len(results) * len(modes)} runs, "
          f"{len(failed_runs)} with failures")
    per_check = {c: sum(1 for _, faults, _ in results for _, check, _ in faults if check == c) for c in CHECKS}
    for check, n in per_check.items():
        print(f"  {check}: {n} run(s) failed" + (" (known fault, not counted)" if check in known else ""))
    print(f"rerun one job: {sys.argv[0]} --cli {args.cli} --seed SEED --count 1 --modes MODE")
    return 1 if any(n for check, n in per_check.items() if check not in known) else 0


if __name__ == "__main__":
    sys.exit(main())
