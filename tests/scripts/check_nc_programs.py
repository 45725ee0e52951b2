#!/usr/bin/python3
"""Checks the NC programs the batch tool writes with LinuxCNC's interpreter rs274, apart from our code.

Every folder given that holds a job.args is a job, and so is every subfolder of it that holds one.
Each job is nested (classic engine, and Deep Nesting for a fixed number of iterations) with
--json, --nc-dir and --save; `nc --all` on the saved job must write the same programs, byte for
byte; every program is run through `rs274`, whose canonical moves are turned into
torch paths and judged against the exact outlines (arcs exact) of the JSON result:
  - rs274 reads the program without an error;
  - the torch is off on every rapid, and every cut begins with a pierce after a rapid;
  - every pierce lies on the plate, in waste, at least half the kerf from every part;
  - no point of any cut (lead-ins and lead-outs included) comes closer than half the kerf to
    any part, so no lead crosses material or another part's path;
  - every cut's comment begins "cut N: " with its place in the cut order, the number the cut plan
    drawing shows at its pierce;
  - every contour of every placed part is cut exactly once, by the cut its comment names, and
    away from corners that cut runs half the kerf from the outline, within 0.01;
  - holes are cut before the outer contour that holds them, and a part lying in another part's
    hole before that hole;
  - the rapid travel is never longer than cutting the same parts in the layout's own order;
  - a remnant cut (its comment "cut N: remnant cut, keeps remnant [ID: ]W x L") comes last, once at
    most, and runs straight across the whole plate, from beyond or on one edge to beyond or on
    the other, every point at least half the kerf from every part, all parts on one side of it,
    and the plate beyond it W wide (within the size's rounding) and no more than L long.
Jobs named with --common-line are nested and cut once more with --common-line, and then:
  - every point of every part's contour (away from corners) is cut by exactly one cut, half the
    kerf away within 0.01: a stretch where two parts stand the kerf apart is cut once, midway;
  - a cut commented "from the kerf" starts on a point an earlier cut ran through;
  - holes (and parts in them) come before any cut along the outline that holds them;
and the straight stretches found here where parts stand the kerf apart are counted. With
--skeleton-cut, each layout's cuts "skeleton cut-up" are straight, come after every part's cut,
keep half the kerf from every part, lie on the plate and on the parts' side of a remnant cut. With
--microjoints W:N, every stretch the torch skips within a cut (off, a rapid, on again without a
comment of its own) leaves exactly W uncut (its length less the kerf, within 0.01), at most N on
an outline and none in a hole; every other point of the contours is judged as above.
Both engines keep the kerf between parts, so a refusal of a layout is a failure.
Usage: check_nc_programs.py DRAVENOR_CLI [--deep-iterations N] [--common-line FOLDER]... FOLDER...
Exit 0 when all checks hold, 1 otherwise, 77 when rs274 is not installed (the test is skipped).
"""
import argparse
import itertools
import json
import math
import os
import re
import shutil
import subprocess
import sys
import tempfile

import ezdxf
from batch_jobs import (ends, entity_of_json, finish, inside, job_args, job_folders, loops, midpoint, point_at, point_dist,
                        seg_dist, sweep)

TOL = 0.01
RESOURCES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources")
CELL = 20.0


def arc_points(cx, cy, r, a0, sweep, step=1.0):
    n = max(2, int(abs(sweep) * r / step) + 1, int(abs(sweep) / 0.05) + 1)
    return [(cx + r * math.cos(a0 + sweep * i / n), cy + r * math.sin(a0 + sweep * i / n)) for i in range(n + 1)]


def exact(entities):
    """JSON entities as the nine fields of a shape file's entity (batch_jobs.py)."""
    return [e[:6] + (abs(e[6]),) + e[7:] for e in map(entity_of_json, entities)]


class Outline:
    """A placed part's exact entities: distance to the nearest, an even-odd inside test on the
    exact arcs, and its points (line ends, arcs as points 0.2 apart)."""

    def __init__(self, entities):
        self.entities, self.points = entities, []
        for e in entities:
            self.points += ends(e) if e[6] == 0 else arc_points(e[4], e[5], e[6], math.radians(e[7]), math.radians(sweep(e)), 0.2)
        xs, ys = zip(*self.points)
        self.box = (min(xs), min(ys), max(xs), max(ys))

    def distance(self, x, y):
        return min(point_dist((x, y), e) for e in self.entities)

    def inside(self, x, y):
        return inside((x, y), self.entities)


def samples_of(entities, kerf):
    """Points on the outline's elements away from their ends (corners), where the path must run
    exactly half the kerf away."""
    pts = []
    for e in entities:
        if e[6] == 0:
            length = math.dist(e[0:2], e[2:4])
            at = [(2 * kerf + (length - 4 * kerf) * k / 4) / length for k in (1, 2, 3)] if length >= 4 * kerf else []
            pts += [(e[0] + (e[2] - e[0]) * t, e[1] + (e[3] - e[1]) * t) for t in at]
        else:
            margin = 0 if e[7] == e[8] else math.degrees(2 * kerf / e[6])
            if sweep(e) - 2 * margin > 0:
                pts += [point_at(e, e[7] + margin + (sweep(e) - 2 * margin) * k / 4) for k in (1, 2, 3)]
    return pts


def sample_spans(entities, kerf, spread=0.5):
    """samples_of's points, each with the points `spread` before and after it along its element:
    a cut that runs along the outline there stays half the kerf from all three, a cut that only
    touches it (a neighbour's corner) does not."""
    spans = []
    for e in entities:
        for x, y in samples_of([e], kerf):
            if e[6] == 0:
                length = math.dist(e[0:2], e[2:4])
                ux, uy = (e[2] - e[0]) / length * spread, (e[3] - e[1]) / length * spread
                spans.append(((x, y), (x - ux, y - uy), (x + ux, y + uy)))
            else:
                a, turn = math.atan2(y - e[5], x - e[4]), spread / e[6]
                spans.append(((x, y), *[(e[4] + e[6] * math.cos(a + t), e[5] + e[6] * math.sin(a + t)) for t in (-turn, turn)]))
    return spans


def out_of_reach(outline, x, y, half):
    """Whether no disc of radius half touches the outline at (x, y) from the waste without
    overlapping the part: the point lies in a notch or a waist narrower than the kerf."""
    for k in range(144):
        a = k * math.pi / 72
        cx, cy = x + half * math.cos(a), y + half * math.sin(a)
        if outline.distance(cx, cy) >= half - TOL / 2 and not outline.inside(cx, cy):
            return False
    return True


class Cut:
    """A cut from its pierce to its end; the torch off over a microjoint breaks it (breaks: the
    indices i where points i to i + 1 are not cut)."""

    def __init__(self, label, pierce):
        self.label, self.pierce, self.points, self.kinds, self.breaks = label, pierce, [pierce], set(), set()

    def segments(self):
        return [i for i in range(len(self.points) - 1) if i not in self.breaks]


def cuts_of(canon, errors, where):
    """rs274's canonical moves as cuts (pierce to torch off), and the program's comments."""
    x = y = 0.0
    label, cuts, comments, current, commented = "", [], [], None, False
    for m in re.finditer(r"^\s*\d+\s+N\.+\s+(\w+)\((.*)\)\s*$", canon, re.M):
        name, args = m.group(1), m.group(2)
        if name == "COMMENT":
            comments.append(label := args.strip('"'))
            commented = True
            continue
        if name.startswith("START_SPINDLE"):
            if current:
                errors.append(f"{where}: torch turned on twice")
            if not commented and cuts:
                # On again without a comment of its own: the same cut after a microjoint.
                current = cuts[-1]
                current.breaks.add(len(current.points) - 1)
                current.points.append((x, y))
            else:
                cuts.append(current := Cut(label, (x, y)))
            commented = False
        elif name == "STOP_SPINDLE_TURNING":
            current = None
        if name not in ("STRAIGHT_TRAVERSE", "STRAIGHT_FEED", "ARC_FEED"):
            continue
        v = [float(a) for a in args.split(",")]
        if name == "STRAIGHT_TRAVERSE" and current:
            errors.append(f"{where}: rapid with the torch on before ({v[0]}, {v[1]})")
        elif name != "STRAIGHT_TRAVERSE" and not current:
            errors.append(f"{where}: feed move with the torch off")
        elif name == "STRAIGHT_FEED":
            n = max(1, int(math.hypot(v[0] - x, v[1] - y) / 1.0))
            current.points += [(x + (v[0] - x) * k / n, y + (v[1] - y) * k / n) for k in range(1, n + 1)]
            current.kinds.add("line")
        elif name == "ARC_FEED":
            cx, cy, rot = v[2], v[3], int(v[4])
            a0, a1 = math.atan2(y - cy, x - cx), math.atan2(v[1] - cy, v[0] - cx)
            turn = (a1 - a0) % (2 * math.pi) if rot > 0 else -((a0 - a1) % (2 * math.pi))
            if abs(turn) < 1e-9:
                turn = 2 * math.pi if rot > 0 else -2 * math.pi
            current.points += arc_points(cx, cy, math.hypot(x - cx, y - cy), a0, turn)[1:]
            current.kinds.add("arc")
        x, y = v[0], v[1]
    return cuts, comments


class Grid:
    def __init__(self, outlines):
        self.cells = {}
        for i, o in enumerate(outlines):
            x0, y0, x1, y1 = o.box
            for cx in range(int(x0 // CELL) - 1, int(x1 // CELL) + 2):
                for cy in range(int(y0 // CELL) - 1, int(y1 // CELL) + 2):
                    self.cells.setdefault((cx, cy), []).append(i)

    def near(self, x, y):
        return self.cells.get((int(x // CELL), int(y // CELL)), [])


class CutIndex:
    """The cuts' short segments by grid cell, to find every cut passing near a point."""

    def __init__(self, cuts):
        self.cuts, self.cells = cuts, {}
        for n, c in enumerate(cuts):
            for i in c.segments():
                for x, y in c.points[i:i + 2]:
                    self.cells.setdefault((int(x // CELL), int(y // CELL)), set()).add((n, i))

    def distances(self, x, y):
        """The least distance of each cut passing through the cells around the point."""
        found = {}
        cx, cy = int(x // CELL), int(y // CELL)
        for key in ((cx + i, cy + j) for i in (-1, 0, 1) for j in (-1, 0, 1)):
            for n, i in self.cells.get(key, ()):
                p = self.cuts[n].points
                found[n] = min(found.get(n, math.inf), seg_dist(x, y, *p[i], *p[i + 1]))
        return found


def shared_stretches(shapes, kerf):
    """Straight edges of two parts facing each other the kerf apart (within 0.01) over more than
    the kerf: their count and length."""
    edges = [(pi, e) for pi, shape in enumerate(shapes) for e in shape if e[6] == 0 and math.dist(e[0:2], e[2:4]) > kerf]
    edges.sort(key=lambda pe: min(pe[1][0], pe[1][2]))
    count, total = 0, 0.0
    for i, (pi, e) in enumerate(edges):
        ux, uy = (e[2] - e[0]) / math.dist(e[0:2], e[2:4]), (e[3] - e[1]) / math.dist(e[0:2], e[2:4])
        for pj, f in edges[i + 1:]:
            if min(f[0], f[2]) > max(e[0], e[2]) + kerf + TOL:
                break
            if pj == pi:
                continue
            off = [(x - e[0]) * -uy + (y - e[1]) * ux for x, y in (f[0:2], f[2:4])]
            if abs(abs(off[0]) - kerf) > TOL or abs(abs(off[1]) - kerf) > TOL or off[0] * off[1] < 0:
                continue
            along = [(x - e[0]) * ux + (y - e[1]) * uy for x, y in (f[0:2], f[2:4])]
            overlap = min(max(along), math.dist(e[0:2], e[2:4])) - max(min(along), 0)
            if overlap > kerf:
                count, total = count + 1, total + overlap
    return count, total


def part_loops_of(shapes, where, errors):
    """(part index, loop index, loop, whether it is a hole, its outline) of every closed loop of
    every part; parts whose outlines do not close are named in errors."""
    for pi, shape in enumerate(shapes):
        try:
            part_loops = [[e for e, _ in loop] for loop in loops(shape, TOL)]
        except ValueError as e:
            errors.append(f"{where}: part {pi + 1}: {e}")
            continue
        outlines = [Outline(loop) for loop in part_loops]
        for li, loop in enumerate(part_loops):
            hole = any(o.inside(*midpoint(loop[0])) for lj, o in enumerate(outlines) if lj != li)
            yield pi, li, loop, hole, outlines[li]


def check_common_lines(cuts, shapes, parts, kerf, warned, errors, where):
    """Every point of every contour cut by exactly one cut, half the kerf away; cuts from the
    kerf start on an earlier cut; holes before any cut along their outline. Returns, per contour,
    the first cut along it, its being a hole and its outline."""
    half, index, position, gaps = kerf / 2, CutIndex(cuts), {}, joint_gaps(cuts)
    for n, c in enumerate(cuts):
        if c.in_kerf and not any(d <= TOL for m, d in index.distances(*c.pierce).items() if m < n):
            errors.append(f"{where}: cut {n + 1} ({c.label}) does not start in an earlier cut's kerf")
    for pi, li, loop, hole, outline in part_loops_of(shapes, where, errors):
        first = math.inf
        for (x, y), *sides in sample_spans(loop, kerf):
            if any(seg_dist(x, y, *a, *b) <= half + TOL for a, b in gaps):
                continue  # left uncut by a microjoint, judged apart
            around = index.distances(x, y)
            # The cuts running along the outline on either side of the point; a side in a
            # microjoint's gap is left out.
            sides = [q for q in sides if not any(seg_dist(*q, *a, *b) <= half + TOL for a, b in gaps)] or sides[:1]
            along = [[n for n, d in around.items() if d <= half + TOL and index.distances(*q).get(n, math.inf) <= half + TOL]
                     for q in sides]
            first = min([first, *(n for a in along for n in a)])
            if all(len(a) == 1 for a in along) or (hole and f"part {pi + 1} " in warned):
                continue
            if any(len(a) > 1 for a in along):
                errors.append(f"{where}: part {pi + 1} {'hole' if hole else 'outline'} at ({x:.3f}, {y:.3f}) is cut "
                              f"more than once, by cuts {', '.join(str(n + 1) for n in sorted(set(sum(along, []))))}")
            elif not out_of_reach(parts[pi], x, y, half):
                nearest = min(around.values(), default=math.inf)
                errors.append(f"{where}: part {pi + 1} {'hole' if hole else 'outline'} at ({x:.3f}, {y:.3f}): the "
                              f"nearest cut runs {nearest:.4f} from it, not {half}")
        if first < math.inf:
            position[(pi, li)] = (first, hole, outline)
    return position


def joint_gaps(cuts):
    """The stretches the torch skips over microjoints, as (a, b) point pairs."""
    return [(c.points[i], c.points[i + 1]) for c in cuts for i in sorted(c.breaks)]


def check_joints(cuts, joints, kerf, errors, where):
    """Every microjoint leaves exactly the set width uncut (the torch's gap less the kerf, within
    0.01), across a straight gap; at most the set count on an outline, none in a hole."""
    width, most = joints
    for n, c in enumerate(cuts):
        if c.breaks and (c.hole or len(c.breaks) > most):
            errors.append(f"{where}: {c.label}: {len(c.breaks)} microjoints" + (" in a hole" if c.hole else ""))
        for i in c.breaks:
            left = math.dist(c.points[i], c.points[i + 1]) - kerf
            if abs(left - width) > TOL:
                errors.append(f"{where}: {c.label}: a microjoint at ({c.points[i][0]:.3f}, {c.points[i][1]:.3f}) leaves "
                              f"{left:.4f} uncut, not {width}")
    return sum(len(c.breaks) for c in cuts)


def check_layout(layout, where, kerf, errors, common=False, joints=None):
    done = subprocess.run(["rs274", "-g", where], capture_output=True, text=True, stdin=subprocess.DEVNULL)
    if done.returncode != 0 or re.search(r"error", done.stderr, re.I):
        errors.append(f"{where}: rs274 reports: {done.stderr.strip()[:300]} (exit {done.returncode})")
        return None
    cuts, comments = cuts_of(done.stdout, errors, where)
    half = kerf / 2
    shapes = [exact(i["entities"]) for i in layout["instances"]]
    parts = [Outline(shape) for shape in shapes]
    sheet = Outline(exact(layout["sheetEntities"]))
    grid = Grid(parts)
    warned = " ".join(a for a in comments if a.startswith("warning"))
    # Each comment begins with the cut's number in the cut order, the one the cut plan drawing shows.
    for n, c in enumerate(cuts):
        m = re.match(r"cut (\d+): (.*)$", c.label)
        if not m or int(m.group(1)) != n + 1:
            errors.append(f"{where}: cut {n + 1} is commented {c.label!r}")
            return None
        c.label = m.group(2)
    # Which cut each comment names: "part N NAME, hole|outline", or the remnant cut, judged apart.
    remnant_cuts = check_remnant_cuts(cuts, sheet, parts, kerf, errors, where)
    cut_ups = check_cut_ups(cuts, sheet, parts, grid, remnant_cuts, kerf, errors, where)
    cuts = [c for c in cuts if c not in remnant_cuts and c not in cut_ups]
    for c in cuts:
        m = re.match(r"part (\d+) .*?, (hole|outline)(, from the kerf(?:, on to parts? [\d, ]+)?)?$", c.label)
        if not m:
            errors.append(f"{where}: a cut without its part comment ({c.label!r})")
            return None
        c.part, c.hole, c.in_kerf = int(m.group(1)) - 1, m.group(2) == "hole", bool(m.group(3))
    # Pierces on the plate, in waste; every cut point keeps half the kerf from every part.
    for n, c in enumerate(cuts):
        if not sheet.inside(*c.pierce):
            errors.append(f"{where}: cut {n + 1} pierces off the plate at ({c.pierce[0]:.3f}, {c.pierce[1]:.3f})")
        # A point half the kerf out lies on the offset itself: the inside test alone may err there.
        near = ((x, y, i, parts[i].distance(x, y)) for x, y in c.points for i in grid.near(x, y))
        if bad := next(((x, y, i, d) for x, y, i, d in near if d < half - TOL or (d < half - 1e-6 and parts[i].inside(x, y))), None):
            x, y, i, d = bad
            errors.append(f"{where}: cut {n + 1} ({c.label}) comes {d:.4f} from part {i + 1} at ({x:.3f}, {y:.3f})")
    # Every loop of every part cut once, by the cut its comment names, half the kerf away.
    position = {}
    for pi, li, loop, hole, outline in part_loops_of([] if common else shapes, where, errors):
        pts = samples_of(loop, kerf)
        covering = set()
        own = [n for n, c in enumerate(cuts) if c.part == pi and c.hole == hole]
        for x, y in pts:
            for n in own:
                p = cuts[n].points
                d = min((seg_dist(x, y, *p[i], *p[i + 1]) for i in cuts[n].segments()), default=math.inf)
                if d > half + 0.5:
                    continue
                if abs(d - half) > TOL and not (d > half and out_of_reach(parts[pi], x, y, half)):
                    errors.append(f"{where}: part {pi + 1} {'hole' if hole else 'outline'}: path {d:.4f} from the "
                                  f"outline at ({x:.3f}, {y:.3f}), not {half}")
                covering.add(n)
        if len(covering) > 1:
            errors.append(f"{where}: part {pi + 1}: a contour cut {len(covering)} times")
        if pts and not covering and not (hole and f"part {pi + 1} " in warned):
            errors.append(f"{where}: part {pi + 1}: a {'hole' if hole else 'contour'} is not cut")
        if covering:
            position[(pi, li)] = (min(covering), hole, outline)
    if common:
        position = check_common_lines(cuts, shapes, parts, kerf, warned, errors, where)
    # Holes before the outline that holds them; parts in a hole before that hole.
    host = {}
    for (pi, _), (n, hole, hole_outline) in position.items():
        if not hole:
            continue
        if any(m < n for (p, _), (m, h, _) in position.items() if p == pi and not h):
            errors.append(f"{where}: part {pi + 1}: a hole cut after its outline")
        for qi, shape in enumerate(shapes):
            if qi == pi or not hole_outline.inside(*midpoint(shape[0])):
                continue
            host[qi] = pi
            if any(m > n for (p, _), (m, h, _) in position.items() if p == qi and not h):
                errors.append(f"{where}: part {qi + 1} lies in a hole of part {pi + 1} but is cut after it")
    # Rapid travel against the layout's own part order, with the same cuts.
    def travel(seq):
        return sum(math.dist(at, c.pierce) for at, c in zip([(0.0, 0.0)] + [c.points[-1] for c in seq], seq))

    def top(p):
        for _ in range(100):
            p = host.get(p, p)
        return p
    blocks = [list(b) for _, b in itertools.groupby(cuts, key=lambda c: top(c.part))]
    listed = [c for b in sorted(blocks, key=lambda b: top(b[0].part)) for c in b]
    ours, theirs = travel(cuts), travel(listed)
    # Parts joined by common lines are cut as one block, so the layout's own order is not theirs.
    if ours > theirs + 1e-6 and not common:
        errors.append(f"{where}: rapid travel {ours:.1f}, the layout's own order needs only {theirs:.1f}")
    cut_length = sum(math.dist(c.points[i], c.points[i + 1]) for c in cuts for i in c.segments())
    starts = sum(1 for c in cuts if not getattr(c, "in_kerf", False))
    joint_count = check_joints(cuts, joints, kerf, errors, where) if joints else 0
    return ours, theirs, cut_length, starts, len(remnant_cuts), shared_stretches(shapes, kerf), len(cut_ups), joint_count


def check_cut_ups(cuts, sheet, parts, grid, remnant_cuts, kerf, errors, where):
    """The skeleton's cut-up: straight lines after every part's cut, on the plate, every point at
    least half the kerf from every part and on the parts' side of the remnant cut."""
    found = [c for c in cuts if c.label == "skeleton cut-up"]
    part_cuts = [n for n, c in enumerate(cuts) if c.label.startswith("part ")]
    if found and part_cuts and cuts.index(found[0]) < part_cuts[-1]:
        errors.append(f"{where}: a skeleton cut-up before a part's cut")
    for c in found:
        (ax, ay), (bx, by) = c.points[0], c.points[-1]
        length = math.hypot(bx - ax, by - ay)
        bends = c.kinds != {"line"} or length == 0 or max(abs((x - ax) * (by - ay) - (y - ay) * (bx - ax)) / length
                                                          for x, y in c.points) > 1e-3
        if bends or not sheet.inside(ax, ay):
            errors.append(f"{where}: a skeleton cut-up from ({ax:.3f}, {ay:.3f}) bends or starts off the plate")
        for x, y in c.points:
            if near := [i for i in grid.near(x, y) if parts[i].distance(x, y) < kerf / 2 - TOL]:
                errors.append(f"{where}: a skeleton cut-up comes {parts[near[0]].distance(x, y):.4f} from part "
                              f"{near[0] + 1} at ({x:.3f}, {y:.3f})")
                break
        for r in remnant_cuts:
            (rx, ry), (sx, sy) = r.points[0], r.points[-1]
            rl = math.hypot(sx - rx, sy - ry)

            def across(x, y):
                return ((x - rx) * (sy - ry) - (y - ry) * (sx - rx)) / rl
            side = 1 if across(*parts[0].points[0]) > 0 else -1
            if any(across(x, y) * side < -TOL for x, y in c.points):
                errors.append(f"{where}: a skeleton cut-up runs into the kept remnant")
    return found


REMNANT_LABEL = re.compile(r"remnant cut, keeps remnant (?:\d+: )?([\d.]+) x ([\d.]+)$")


def check_remnant_cuts(cuts, sheet, parts, kerf, errors, where):
    """The cuts that part a remnant off, judged on the plate and the parts' outlines (their
    vertices, arcs as points 0.2 apart, measured exactly to the straight cut)."""
    found = [c for c in cuts if c.label.startswith("remnant cut")]
    if len(found) > 1 or (found and cuts[-1] is not found[-1]):
        errors.append(f"{where}: {len(found)} remnant cuts, or one before a part's cut")
    for c in found:
        m = REMNANT_LABEL.match(c.label)
        if not m or c.kinds != {"line"}:
            errors.append(f"{where}: a remnant cut without its size or not straight ({c.label!r})")
            continue
        (ax, ay), (bx, by) = c.points[0], c.points[-1]
        length = math.hypot(bx - ax, by - ay)
        ux, uy = (bx - ax) / length, (by - ay) / length

        def across(x, y):
            return (x - ax) * -uy + (y - ay) * ux
        x0, y0, x1, y1 = sheet.box
        corners = [(x0, y0), (x0, y1), (x1, y0), (x1, y1)]
        along = [(x - ax) * ux + (y - ay) * uy for x, y in corners]
        sides_of_plate = [across(x, y) for x, y in corners]
        if max(abs(across(x, y)) for x, y in c.points) > 1e-3 or min(along) < -TOL or max(along) > length + TOL \
                or min(sides_of_plate) >= 0 or max(sides_of_plate) <= 0:
            errors.append(f"{where}: the remnant cut bends, or does not cross the plate from edge to edge")
            continue
        sides = set()
        for i, part in enumerate(parts):
            near = min(min(seg_dist(x, y, ax, ay, bx, by) for x, y in part.points), part.distance(ax, ay), part.distance(bx, by))
            if near < kerf / 2 - TOL:
                errors.append(f"{where}: the remnant cut comes {near:.4f} from part {i + 1}")
            sides |= {across(x, y) > 0 for x, y in part.points}
        # The remnant is the plate on the side without parts, up to half the kerf wider than named
        # (the torch runs that far toward the parts); the size is rounded to 0.1.
        beyond = max(sides_of_plate) if sides == {False} else -min(sides_of_plate) if sides == {True} else None
        width, long = float(m.group(1)), float(m.group(2))
        if beyond is None or not beyond - kerf / 2 - 0.051 <= width <= beyond + 0.051 or long > length + 0.051:
            errors.append(f"{where}: the remnant cut names {width} x {long}, has parts on both sides or the plate "
                          f"beyond it is {beyond} wide")
    return found


def check_cam_drawing(cli, saved, parts, setup, errors, name):
    """layout-dxf --cam of the saved job read back with ezdxf: no audit errors, $INSUNITS set, one
    closed OUTER polyline per placed part and every contour closed."""
    drawing = os.path.join(os.path.dirname(saved), "cam.dxf")
    done = subprocess.run([cli, "layout-dxf", saved, "--layout", "1", drawing, "--cam", *setup], capture_output=True, text=True)
    if done.returncode != 0:
        errors.append(f"{name}: layout-dxf --cam failed: {done.stderr.strip()[:200]}")
        return
    doc = ezdxf.readfile(drawing)
    auditor = doc.audit()
    contours = [e for e in doc.modelspace().query("LWPOLYLINE") if e.dxf.layer in ("OUTER", "INNER")]
    outer = [e for e in contours if e.dxf.layer == "OUTER"]
    if auditor.has_errors or doc.header.get("$INSUNITS") != 4 or any(not e.closed for e in contours) or len(outer) != parts:
        errors.append(f"{name}: CAM drawing: audit errors {len(auditor.errors)}, $INSUNITS {doc.header.get('$INSUNITS')}, "
                      f"{len(outer)} outer contours for {parts} parts")
    else:
        print(f"{name}: CAM drawing of layout 1: {len(outer)} outer and {len(contours) - len(outer)} inner contours read back")


def same_from_saved_job(cli, saved, nc_dir, setup, errors, where, common=()):
    """`nc JOB.nst --all` writes the same programs as `nest --nc-dir`, byte for byte: the saved job
    gives the layouts of the run to the last digit, and so the same cut plans."""
    again = os.path.join(os.path.dirname(saved), "nc-again")
    done = subprocess.run([cli, "nc", saved, "--all", "--dir", again, *setup, *common], capture_output=True, text=True)
    if done.returncode != 0:
        errors.append(f"{where}: nc --all failed: {done.stderr.strip()[:200]}")
        return
    names = sorted(os.listdir(nc_dir)) if os.path.isdir(nc_dir) else []
    if names != sorted(os.listdir(again)):
        errors.append(f"{where}: nc --all wrote {sorted(os.listdir(again))}, nest --nc-dir {names}")
        return
    for n in names:
        with open(os.path.join(nc_dir, n), "rb") as f, open(os.path.join(again, n), "rb") as g:
            fresh, reopened = f.read(), g.read()
        if fresh != reopened:
            fresh, reopened = fresh.decode().split("\n"), reopened.decode().split("\n")
            parted = next((i for i, (a, b) in enumerate(zip(fresh, reopened)) if a != b), min(len(fresh), len(reopened)))
            errors.append(f"{where}: {n} from nc --all differs from nest --nc-dir's at line {parted + 1}: "
                          f"{reopened[parted] if parted < len(reopened) else '(end)'!r} for "
                          f"{fresh[parted] if parted < len(fresh) else '(end)'!r}")


def check_job(cli, folder, mode, iterations, errors, more=()):
    common = "--common-line" in more
    args = job_args(folder) + list(more)
    name = os.path.basename(os.path.normpath(folder)) + "".join(f" {a}" for a in more)
    with tempfile.TemporaryDirectory() as work:
        extra = ["--mode", "deep", "--iterations", str(iterations), "--threads", "1", "--seed", "1"] if mode == "deep" else []
        result_json, nc_dir = os.path.join(work, "r.json"), os.path.join(work, "nc")
        saved = os.path.join(work, "nested.nst")
        setup = ["--cut-table", os.path.join(RESOURCES, "cutting.dat"), "--post", os.path.join(RESOURCES, "post.cfg")]
        done = subprocess.run([cli, "nest", *args, *extra, "--json", result_json, "--nc-dir", nc_dir, "--save", saved,
                               *setup], cwd=folder, capture_output=True, text=True)
        if "cannot be cut: parts must stand at least the kerf" in done.stderr:
            errors.append(f"{name} {mode}: refused: {done.stderr.strip()[:300]}")
            return
        if not os.path.exists(result_json):
            errors.append(f"{name} {mode}: nest failed: {done.stderr.strip()[:300]}")
            return
        with open(result_json) as f:
            result = json.load(f)
        kerf = float(result["details"]["kerf"])
        if mode == "deep" and result["layouts"]:
            check_cam_drawing(cli, saved, len(result["layouts"][0]["instances"]), setup, errors, name)
        # The saved job keeps its common-line option: nc cuts it so without being told.
        nc_options = [a for i, a in enumerate(more) if a in ("--skeleton-cut", "--microjoints") or
                      (i and more[i - 1] in ("--skeleton-cut", "--microjoints"))]
        same_from_saved_job(cli, saved, nc_dir, setup, errors, f"{name} {mode}", nc_options)
        job_cut_ups = job_joints = 0
        for layout in result["layouts"]:
            program = os.path.join(nc_dir, f"nested-layout-{layout['number']}.nc")
            if not os.path.exists(program):
                errors.append(f"{name} {mode}: no program for layout {layout['number']}: {done.stderr.strip()[:200]}")
                continue
            before = len(errors)
            joints = None
            if "--microjoints" in more:
                width, count = more[more.index("--microjoints") + 1].split(":")
                joints = (float(width), int(count))
            measured = check_layout(layout, program, kerf, errors, common, joints)
            if measured and len(errors) == before:
                ours, theirs, length, count, remnants, (shared, shared_length), cut_ups, joint_count = measured
                print(f"{name} {mode} layout {layout['number']}: {count} pierces, cut {length:.0f}, "
                      f"rapids {ours:.0f} (layout order {theirs:.0f}), {shared} edges the kerf apart over "
                      f"{shared_length:.0f}" + (f", {cut_ups} cut-ups" if cut_ups else "") +
                      (f", {joint_count} microjoints" if joint_count else "") +
                      (", and the remnant cut" if remnants else ""))
                job_cut_ups += cut_ups
                job_joints += joint_count
            errors[before:] = [f"{name} {mode}: {e}" for e in errors[before:before + 5]]
        # A layout whose waste is already in short pieces needs no cut-up; the job as a whole does.
        if "--skeleton-cut" in more and not job_cut_ups:
            errors.append(f"{name} {mode}: no layout has a skeleton cut-up")
        if "--microjoints" in more and not job_joints:
            errors.append(f"{name} {mode}: no layout has a microjoint")


def main(argv):
    if shutil.which("rs274") is None:
        print("rs274 (Debian package linuxcnc-uspace) is not installed: NC programs not checked")
        return 77
    ap = argparse.ArgumentParser()
    ap.add_argument("cli", type=os.path.abspath)
    ap.add_argument("--deep-iterations", type=int, default=30)
    ap.add_argument("--kerf-entered", help="the first job again with this kerf entered: the cut table's must rule")
    ap.add_argument("--common-line", action="append", default=[], help="a job also cut with --common-line")
    ap.add_argument("--skeleton-cut", help="the jobs of --common-line with their skeleton cut up this small too")
    ap.add_argument("--microjoints", help="the jobs of --common-line with microjoints W:N too")
    ap.add_argument("folders", nargs="*")
    a = ap.parse_intermixed_args(argv[1:])
    cli, iterations, folders = a.cli, a.deep_iterations, a.folders
    jobs, errors = job_folders(folders), []
    for job in jobs:
        for mode in ("classic", "deep"):
            check_job(cli, job, mode, iterations, errors)
    if a.kerf_entered and jobs:
        for mode in ("classic", "deep"):
            check_job(cli, jobs[0], mode, iterations, errors, ["--kerf", a.kerf_entered])
    for job in job_folders(a.common_line):
        for mode in ("classic", "deep"):
            check_job(cli, job, mode, iterations, errors,
                      ["--common-line"] + (["--skeleton-cut", a.skeleton_cut] if a.skeleton_cut else []) +
                      (["--microjoints", a.microjoints] if a.microjoints else []))
    print(f"{len(jobs)} jobs, {len(errors)} failures")
    return finish(errors, len(errors))


if __name__ == "__main__":
    sys.exit(main(sys.argv))
