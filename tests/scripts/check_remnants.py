#!/usr/bin/python3
"""Checks the remnants the batch tool keeps, with geometry of its own (no code of the program).

Every job folder given (a folder holding job.args, or each subfolder that holds one) is nested in
the classic engine and by Deep Nesting with `--remnants-dir` and `--json`, the least remnant set
to 0 so that every remnant is judged. Then, on the exact outlines (lines, arcs and circles, no
chords), every remnant file must:
  - be closed outlines whose region lies on its layout's sheet (inside the sheet's outline, outside
    its holes), and take in every sheet hole it covers;
  - stay at least the kerf from every entity of every part of its layout, and hold no part;
  - have the area its outlines enclose equal to the area the summary line names.
Usage: check_remnants.py DRAVENOR_CLI FOLDER...
"""
import json
import math
import os
import re
import subprocess
import sys
import tempfile

from batch_jobs import (arc_has, ends, enclosed_area, entity_of_json, finish, inside, job_args, job_folders, option,
                        point_at, point_dist, read_shape, span)

EPS = 1e-6


# ---- exact distances of entities

def crosses(g, h):
    """True when the two entities meet (exact intersection test)."""
    if g[6] != 0 and h[6] == 0:
        g, h = h, g
    if h[6] == 0:  # two lines: the ends of each strictly on either side of the other
        def side(p, q, r):
            return (q[0] - p[0]) * (r[1] - p[1]) - (q[1] - p[1]) * (r[0] - p[0])
        a, b, c, d = g[0:2], g[2:4], h[0:2], h[2:4]
        return side(a, b, c) * side(a, b, d) < 0 and side(c, d, a) * side(c, d, b) < 0
    cx, cy, r = h[4:7]
    if g[6] == 0:  # the points of the line at the radius from the arc's centre
        (x1, y1), dx, dy = g[0:2], g[2] - g[0], g[3] - g[1]
        a, b, c = dx * dx + dy * dy, 2 * ((x1 - cx) * dx + (y1 - cy) * dy), (x1 - cx) ** 2 + (y1 - cy) ** 2 - r * r
        disc = b * b - 4 * a * c
        if a == 0 or disc < 0:
            return False
        points = [(x1 + t * dx, y1 + t * dy) for t in ((-b - math.sqrt(disc)) / (2 * a), (-b + math.sqrt(disc)) / (2 * a))
                  if 0 <= t <= 1]
    else:  # where the two circles meet, on the first arc
        (x0, y0, r0), d = g[4:7], math.hypot(cx - g[4], cy - g[5])
        if d == 0 or d > r0 + r or d < abs(r0 - r):
            return False
        a = (r0 * r0 - r * r + d * d) / (2 * d)
        hh, mx, my = math.sqrt(max(0, r0 * r0 - a * a)), x0 + a * (cx - x0) / d, y0 + a * (cy - y0) / d
        points = [(px, py) for px, py in ((mx + s * hh * (cy - y0) / d, my - s * hh * (cx - x0) / d) for s in (1, -1))
                  if arc_has(g, math.atan2(py - y0, px - x0))]
    return any(arc_has(h, math.atan2(y - cy, x - cx)) for x, y in points)


def entity_dist(g, h):
    """Exact least distance of two entities: they meet, or the least is at an end of one of them,
    or at a point of an arc where it is square to the line or faces the other arc's centre."""
    if crosses(g, h):
        return 0.0
    candidates = [(p, h) for p in ends(g)] + [(p, g) for p in ends(h)]
    for a, b in ((g, h), (h, g)):
        if a[6] != 0:
            (cx, cy, r), (dx, dy) = a[4:7], (b[1] - b[3], b[2] - b[0]) if b[6] == 0 else (b[4] - a[4], b[5] - a[5])
            ln = math.hypot(dx, dy)
            candidates += [((cx + s * r * dx / ln, cy + s * r * dy / ln), b) for s in (1, -1)
                           if ln and arc_has(a, math.atan2(s * dy, s * dx))]
    return min(point_dist(p, e) for p, e in candidates)


# ---- regions: even-odd over closed outlines, boundary crossings counted exactly

def boundary_dist(p, entities):
    return min(point_dist(p, g) for g in entities)


def samples(g, n=24):
    if g[6] == 0:
        return [(g[0] + (g[2] - g[0]) * k / n, g[1] + (g[3] - g[1]) * k / n) for k in range(n + 1)]
    s, e = span(g)
    return [point_at(g, s + (e - s) * k / n) for k in range(n + 1)]


def check_remnant(path, layout, kerf, stated_area):
    problems = []
    remnant = read_shape(path)
    sheet = [entity_of_json(e) for e in layout["sheetEntities"]]
    parts = [entity_of_json(e) for i in layout["instances"] for e in i["entities"]]
    try:
        area = enclosed_area(remnant, EPS)
    except ValueError as e:
        return [f"{path}: {e}"]
    if stated_area is not None and abs(area - stated_area) > max(1.0, 1e-6 * area):
        problems.append(f"{path}: encloses {area:.3f}, the tool says {stated_area}")
    # On the sheet: every boundary point of the remnant inside the sheet or on its outline.
    for g in remnant:
        for p in samples(g):
            if not inside(p, sheet) and boundary_dist(p, sheet) > 1e-6:
                return problems + [f"{path}: point {p} off the sheet"]
    # Sheet holes it covers are its own: no sheet outline point strictly inside the remnant.
    for g in sheet:
        for p in samples(g):
            if inside(p, remnant) and boundary_dist(p, remnant) > 1e-6:
                return problems + [f"{path}: the sheet's outline at {p} runs inside the remnant"]
    least = min((entity_dist(g, h) for g in remnant for h in parts), default=math.inf)
    if least < kerf - 1e-6:
        problems.append(f"{path}: a part is {least:.4f} from the remnant, less than the kerf {kerf}")
    for g in parts[:1] + parts[::7]:
        p = ends(g)[0]
        if inside(p, remnant) and boundary_dist(p, remnant) > 1e-6:
            problems.append(f"{path}: a part lies in the remnant at {p}")
            break
    return problems


def run(cli, folder, work, mode_args, label):
    args = job_args(folder)
    kerf = option(args, "--kerf")
    result, remnants = os.path.join(work, label + ".json"), os.path.join(work, label)
    done = subprocess.run([cli, "nest", *args, *mode_args, "--json", result, "--remnants-dir", remnants,
                           "--remnant-width", "0", "--remnant-area", "0"],
                          cwd=folder, capture_output=True, text=True)
    if done.returncode not in (0, 1):
        return [f"{folder} ({label}): nest ended with {done.returncode}: {done.stderr.strip()}"], 0
    stated = {int(m.group(1)): float(m.group(2)) for m in
              re.finditer(r"^Remnant of layout (\d+): .*, area ([0-9.e+-]+):", done.stdout, re.M)}
    with open(result) as f:
        nested = json.load(f)
    layouts = {l["number"]: l for l in nested["layouts"]}
    # The cut table's kerf for the job's material rules over the one entered.
    kerf = float(nested.get("details", {}).get("kerf", kerf))
    problems, checked = [], 0
    for name in sorted(os.listdir(remnants)) if os.path.isdir(remnants) else []:
        n = int(re.match(r"remnant-(\d+)\.shp$", name).group(1))
        if n not in layouts:
            problems.append(f"{folder} ({label}): {name} for a layout that does not exist")
            continue
        problems += [f"{label}: {p}" for p in
                     check_remnant(os.path.join(remnants, name), layouts[n], kerf, stated.get(n))]
        checked += 1
    if checked != len(stated):
        problems.append(f"{folder} ({label}): {len(stated)} remnants named, {checked} files")
    return problems, checked


def main():
    cli = os.path.abspath(sys.argv[1])
    jobs = job_folders(sys.argv[2:])
    problems = []
    modes = [(["--mode", "free"], "classic"),
             (["--mode", "deep", "--iterations", "15", "--threads", "1", "--margin", "2"], "deep")]
    for job in jobs:
        with tempfile.TemporaryDirectory() as work:
            counts = []
            for mode_args, label in modes:
                p, n = run(cli, job, work, mode_args, label)
                problems += p
                counts.append(f"{label} {n}")
            print(f"{os.path.basename(job)}: remnants checked: {', '.join(counts)}")
    print(f"{len(jobs)} job(s), {len(problems)} problem(s)")
    return finish(problems) or (0 if jobs else 1)


if __name__ == "__main__":
    sys.exit(main())
