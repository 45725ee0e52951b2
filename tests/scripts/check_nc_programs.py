#!/usr/bin/python3
"""Checks the NC programs the batch tool writes with LinuxCNC's interpreter rs274, apart from our code.

Every folder given that holds a job.args is a job, and so is every subfolder of it that holds one.
Each job is nested (classic engine, and Deep Nesting for a fixed number of iterations) with
--json, --nc-dir and --save; `nc --all` on the saved job must cut the same contours; every program is run through `rs274`, whose canonical moves are turned into
torch paths and judged against the exact outlines (arcs exact) of the JSON result:
  - rs274 reads the program without an error;
  - the torch is off on every rapid, and every cut begins with a pierce after a rapid;
  - every pierce lies on the plate, in waste, at least half the kerf from every part;
  - no point of any cut (lead-ins and lead-outs included) comes closer than half the kerf to
    any part, so no lead crosses material or another part's path;
  - every contour of every placed part is cut exactly once, by the cut its comment names, and
    away from corners that cut runs half the kerf from the outline, within 0.01;
  - holes are cut before the outer contour that holds them, and a part lying in another part's
    hole before that hole;
  - the rapid travel is never longer than cutting the same parts in the layout's own order.
A classic-engine layout whose parts stand closer than the kerf must be refused, naming parts
(--classic-refusals allows that; without it a refusal is a failure).
Usage: check_nc_programs.py DRAVENOR_CLI [--deep-iterations N] [--classic-refusals] FOLDER...
Exit 0 when all checks hold, 1 otherwise, 77 when rs274 is not installed (the test is skipped).
"""
import json
import math
import os
import re
import shutil
import subprocess
import sys
import tempfile

TOL = 0.01
RESOURCES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources")
CELL = 20.0


def seg_dist(x, y, x1, y1, x2, y2):
    dx, dy = x2 - x1, y2 - y1
    ll = dx * dx + dy * dy
    t = 0 if ll == 0 else max(0.0, min(1.0, ((x - x1) * dx + (y - y1) * dy) / ll))
    return math.hypot(x - x1 - t * dx, y - y1 - t * dy)


def arc_points(cx, cy, r, a0, sweep, step=1.0):
    n = max(2, int(abs(sweep) * r / step) + 1, int(abs(sweep) / 0.05) + 1)
    return [(cx + r * math.cos(a0 + sweep * i / n), cy + r * math.sin(a0 + sweep * i / n)) for i in range(n + 1)]


class Outline:
    """A placed part's exact entities: distance to the nearest and an even-odd inside test."""

    def __init__(self, entities):
        self.lines, self.arcs = [], []
        self.poly = []  # chords for the inside test
        for e in entities:
            if e["type"] == "line":
                seg = (e["x1"], e["y1"], e["x2"], e["y2"])
                self.lines.append(seg)
                self.poly.append(seg)
            else:
                s, t = math.radians(e["start"]), math.radians(e["end"])
                sweep = 2 * math.pi if e["type"] == "circle" else (t - s) % (2 * math.pi) or 2 * math.pi
                self.arcs.append((e["cx"], e["cy"], abs(e["rad"]), s, sweep))
                pts = arc_points(e["cx"], e["cy"], abs(e["rad"]), s, sweep, 0.2)
                self.poly += [(*pts[i], *pts[i + 1]) for i in range(len(pts) - 1)]
        xs = [c for s in self.poly for c in (s[0], s[2])]
        ys = [c for s in self.poly for c in (s[1], s[3])]
        self.box = (min(xs), min(ys), max(xs), max(ys))

    def distance(self, x, y):
        best = min((seg_dist(x, y, *seg) for seg in self.lines), default=math.inf)
        for cx, cy, r, s, sweep in self.arcs:
            a = (math.atan2(y - cy, x - cx) - s) % (2 * math.pi)
            if a <= sweep:
                best = min(best, abs(math.hypot(x - cx, y - cy) - r))
            else:
                for ang in (s, s + sweep):
                    best = min(best, math.hypot(x - cx - r * math.cos(ang), y - cy - r * math.sin(ang)))
        return best

    def inside(self, x, y):
        inside = False
        for x1, y1, x2, y2 in self.poly:
            if (y1 > y) != (y2 > y) and x < (x2 - x1) * (y - y1) / (y2 - y1) + x1:
                inside = not inside
        return inside

    def box_distance(self, x, y):
        return math.hypot(max(self.box[0] - x, 0, x - self.box[2]), max(self.box[1] - y, 0, y - self.box[3]))


def loops_of(entities, tol=0.01):
    """The closed loops of a part's entities as lists of entities (circles alone)."""
    def ends(e):
        if e["type"] == "line":
            return (e["x1"], e["y1"]), (e["x2"], e["y2"])
        s, t = math.radians(e["start"]), math.radians(e["end"])
        r = abs(e["rad"])
        return (e["cx"] + r * math.cos(s), e["cy"] + r * math.sin(s)), (e["cx"] + r * math.cos(t), e["cy"] + r * math.sin(t))
    loops, rest = [], []
    for e in entities:
        (loops.append([e]) if e["type"] == "circle" else rest.append(e))
    used = [False] * len(rest)
    for i in range(len(rest)):
        if used[i]:
            continue
        used[i] = True
        loop = [rest[i]]
        start, end = ends(rest[i])
        while math.dist(start, end) > tol:
            for j in range(len(rest)):
                if used[j]:
                    continue
                a, b = ends(rest[j])
                if math.dist(a, end) <= tol or math.dist(b, end) <= tol:
                    used[j] = True
                    loop.append(rest[j])
                    end = b if math.dist(a, end) <= tol else a
                    break
            else:
                break
        loops.append(loop)
    return loops


def samples_of(entities, kerf):
    """Points on the outline's elements away from their ends (corners), where the path must run
    exactly half the kerf away."""
    pts = []
    for e in entities:
        if e["type"] == "line":
            x1, y1, x2, y2 = e["x1"], e["y1"], e["x2"], e["y2"]
            length = math.hypot(x2 - x1, y2 - y1)
            if length < 4 * kerf:
                continue
            for k in range(1, 4):
                t = (2 * kerf + (length - 4 * kerf) * k / 4) / length
                pts.append((x1 + (x2 - x1) * t, y1 + (y2 - y1) * t))
        else:
            r = abs(e["rad"])
            s, t = math.radians(e["start"]), math.radians(e["end"])
            sweep = 2 * math.pi if e["type"] == "circle" else (t - s) % (2 * math.pi) or 2 * math.pi
            margin = 0 if e["type"] == "circle" else 2 * kerf / r
            if sweep - 2 * margin <= 0:
                continue
            for k in range(1, 4):
                a = s + margin + (sweep - 2 * margin) * k / 4
                pts.append((e["cx"] + r * math.cos(a), e["cy"] + r * math.sin(a)))
    return pts


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
    def __init__(self, label, pierce):
        self.label, self.pierce, self.points, self.segments = label, pierce, [pierce], []


def run_rs274(program):
    done = subprocess.run(["rs274", "-g", program], capture_output=True, text=True, stdin=subprocess.DEVNULL)
    return done.returncode, done.stdout, done.stderr


def parse_canon(text):
    """Rapids, feeds and torch switches in order, as (kind, args)."""
    moves = []
    for line in text.splitlines():
        m = re.match(r"\s*\d+\s+N\.+\s+(\w+)\((.*)\)\s*$", line)
        if not m:
            continue
        name, args = m.group(1), m.group(2)
        if name == "COMMENT":
            moves.append(("comment", args.strip('"')))
        elif name in ("STRAIGHT_TRAVERSE", "STRAIGHT_FEED", "ARC_FEED"):
            moves.append((name, [float(v) for v in args.split(",")]))
        elif name.startswith("START_SPINDLE"):
            moves.append(("on", None))
        elif name == "STOP_SPINDLE_TURNING":
            moves.append(("off", None))
    return moves


def cuts_of(moves, errors, where):
    """Turns canonical moves into cuts (pierce to torch off); rapid lengths between them."""
    x = y = 0.0
    torch = False
    label = ""
    cuts, rapids = [], []
    current = None
    for kind, args in moves:
        if kind == "comment":
            label = args
        elif kind == "on":
            if torch:
                errors.append(f"{where}: torch turned on twice")
            torch = True
            current = Cut(label, (x, y))
            cuts.append(current)
        elif kind == "off":
            torch = False
            current = None
        elif kind == "STRAIGHT_TRAVERSE":
            if torch:
                errors.append(f"{where}: rapid with the torch on before ({args[0]}, {args[1]})")
            rapids.append(((x, y), (args[0], args[1])))
            x, y = args[0], args[1]
        elif kind == "STRAIGHT_FEED":
            if not torch:
                errors.append(f"{where}: feed move with the torch off")
            elif current:
                current.segments.append(("line", (x, y), (args[0], args[1])))
                n = max(1, int(math.hypot(args[0] - x, args[1] - y) / 1.0))
                current.points += [(x + (args[0] - x) * k / n, y + (args[1] - y) * k / n) for k in range(1, n + 1)]
            x, y = args[0], args[1]
        elif kind == "ARC_FEED":
            ex, ey, cx, cy, rot = args[0], args[1], args[2], args[3], int(args[4])
            r = math.hypot(x - cx, y - cy)
            a0, a1 = math.atan2(y - cy, x - cx), math.atan2(ey - cy, ex - cx)
            sweep = (a1 - a0) % (2 * math.pi) if rot > 0 else -((a0 - a1) % (2 * math.pi))
            if abs(sweep) < 1e-9:
                sweep = 2 * math.pi if rot > 0 else -2 * math.pi
            if current:
                pts = arc_points(cx, cy, r, a0, sweep)
                current.points += pts[1:]
                current.segments.append(("arc", (x, y), (ex, ey)))
            x, y = ex, ey
    return cuts, rapids


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


def check_layout(layout, program, kerf, errors, refused_ok):
    where = f"{program}"
    code, out, err = run_rs274(program)
    if code != 0 or re.search(r"error", err, re.I):
        errors.append(f"{where}: rs274 reports: {err.strip()[:300]} (exit {code})")
        return None
    moves = parse_canon(out)
    cuts, rapids = cuts_of(moves, errors, where)
    half = kerf / 2
    parts = [Outline(i["entities"]) for i in layout["instances"]]
    sheet = Outline(layout["sheetEntities"])
    grid = Grid(parts)
    warned = " ".join(a for k, a in moves if k == "comment" and a.startswith("warning"))
    # Which cut each comment names: "part N NAME: hole|outline".
    for c in cuts:
        m = re.match(r"part (\d+) .*: (hole|outline)$", c.label)
        if not m:
            errors.append(f"{where}: a cut without its part comment ({c.label!r})")
            return None
        c.part, c.hole = int(m.group(1)) - 1, m.group(2) == "hole"
    # Pierces on the plate, in waste; every cut point keeps half the kerf from every part.
    for n, c in enumerate(cuts):
        px, py = c.pierce
        if not sheet.inside(px, py):
            errors.append(f"{where}: cut {n + 1} pierces off the plate at ({px:.3f}, {py:.3f})")
        for x, y in c.points:
            for i in grid.near(x, y):
                d = parts[i].distance(x, y)
                # A point half the kerf out lies on the offset itself; the inside test may then see
                # a vertex at its height and say inside.
                if d < half - TOL or (d < half - 1e-6 and parts[i].inside(x, y)):
                    errors.append(f"{where}: cut {n + 1} ({c.label}) comes {d:.4f} from part {i + 1} at ({x:.3f}, {y:.3f})")
                    break
            else:
                continue
            break
    # Every loop of every part cut once, by the cut its comment names, half the kerf away.
    position = {}
    for pi, inst in enumerate(layout["instances"]):
        loops = loops_of(inst["entities"])
        shapes = [Outline(loop) for loop in loops] if len(loops) > 1 else []
        for li, loop in enumerate(loops):
            hole = any(o.inside(*samples_or_point(loop)) for lj, o in enumerate(shapes) if lj != li)
            pts = samples_of(loop, kerf)
            covering = set()
            own = [n for n, c in enumerate(cuts) if c.part == pi and c.hole == hole]
            for x, y in pts:
                for n in own:
                    d = min_distance_to_path(cuts[n], x, y)
                    if d > half + 0.5:
                        continue
                    if abs(d - half) > TOL:
                        if d > half and out_of_reach(parts[pi], x, y, half):
                            continue
                        errors.append(f"{where}: part {pi + 1} {'hole' if hole else 'outline'}: path {d:.4f} from the "
                                      f"outline at ({x:.3f}, {y:.3f}), not {half}")
                    covering.add(n)
            if len(covering) > 1:
                errors.append(f"{where}: part {pi + 1}: a contour cut {len(covering)} times")
            if pts and not covering and not (hole and f"part {pi + 1} " in warned):
                errors.append(f"{where}: part {pi + 1}: a {'hole' if hole else 'contour'} is not cut")
            if covering:
                position[(pi, li)] = (min(covering), hole, loop)
    # Holes before the outline that holds them; parts in a hole before that hole.
    host = {}
    for pi in range(len(parts)):
        outer = [n for (p, li), (n, hole, _) in position.items() if p == pi and not hole]
        holes = [(n, loop) for (p, li), (n, hole, loop) in position.items() if p == pi and hole]
        for n, loop in holes:
            if outer and n > min(outer):
                errors.append(f"{where}: part {pi + 1}: a hole cut after its outline")
            hole_outline = Outline(loop)
            for qi in range(len(parts)):
                if qi == pi:
                    continue
                if not hole_outline.inside(*samples_or_point(layout["instances"][qi]["entities"])):
                    continue
                host[qi] = pi
                q_outer = [m for (p, li), (m, h, _) in position.items() if p == qi and not h]
                if q_outer and max(q_outer) > n:
                    errors.append(f"{where}: part {qi + 1} lies in a hole of part {pi + 1} but is cut after it")
    # Rapid travel against the layout's own part order, with the same cuts.
    def travel(seq):
        at, total = (0.0, 0.0), 0.0
        for c in seq:
            total += math.dist(at, c.pierce)
            at = c.points[-1]
        return total

    def top(p):
        seen = 0
        while p in host and seen < 100:
            p, seen = host[p], seen + 1
        return p
    blocks = []
    for c in cuts:
        key = top(c.part)
        if blocks and blocks[-1][0] == key:
            blocks[-1][1].append(c)
        else:
            blocks.append((key, [c]))
    listed = [c for _, b in sorted(blocks, key=lambda kb: kb[0]) for c in b]
    ours, theirs = travel(cuts), travel(listed)
    if ours > theirs + 1e-6:
        errors.append(f"{where}: rapid travel {ours:.1f}, the layout's own order needs only {theirs:.1f}")
    cut_length = sum(math.dist(c.points[i], c.points[i + 1]) for c in cuts for i in range(len(c.points) - 1))
    return ours, theirs, cut_length, len(cuts)


def samples_or_point(loop):
    e = loop[0]
    if e["type"] == "line":
        return ((e["x1"] + e["x2"]) / 2, (e["y1"] + e["y2"]) / 2)
    a = math.radians(e["start"])
    return (e["cx"] + abs(e["rad"]) * math.cos(a), e["cy"] + abs(e["rad"]) * math.sin(a))


def min_distance_to_path(cut, x, y):
    pts = cut.points
    return min((seg_dist(x, y, *pts[i], *pts[i + 1]) for i in range(len(pts) - 1)), default=math.inf)


def job_args(folder):
    with open(os.path.join(folder, "job.args")) as f:
        return [line.strip() for line in f if line.strip()]


def check_cam_drawing(cli, folder, work, errors, name):
    """layout-dxf --cam read back with ezdxf: no audit errors, $INSUNITS set, one closed OUTER
    polyline per placed part and every contour closed."""
    try:
        import ezdxf
    except ImportError:
        print("ezdxf is not installed: the CAM drawing is not checked")
        return
    job, drawing, args = os.path.join(work, "job.nst"), os.path.join(work, "cam.dxf"), job_args(folder)
    saved_json = os.path.join(work, "saved.json")
    subprocess.run([cli, "nest", *args, "--mode", "deep", "--iterations", "1", "--threads", "1", "--save", job,
                    "--json", saved_json], cwd=folder, capture_output=True)
    with open(saved_json) as f:
        parts = len(json.load(f)["layouts"][0]["instances"])
    done = subprocess.run([cli, "layout-dxf", job, "--layout", "1", drawing, "--cam",
                           "--cut-table", os.path.join(RESOURCES, "cutting.dat"), "--post", os.path.join(RESOURCES, "post.cfg")],
                          capture_output=True, text=True)
    if done.returncode != 0:
        errors.append(f"{name}: layout-dxf --cam failed: {done.stderr.strip()[:200]}")
        return
    doc = ezdxf.readfile(drawing)
    auditor = doc.audit()
    msp = doc.modelspace()
    outer = [e for e in msp.query("LWPOLYLINE") if e.dxf.layer == "OUTER"]
    contours = [e for e in msp.query("LWPOLYLINE") if e.dxf.layer in ("OUTER", "INNER")]
    if auditor.has_errors or doc.header.get("$INSUNITS") != 4 or any(not e.closed for e in contours) or len(outer) != parts:
        errors.append(f"{name}: CAM drawing: audit errors {len(auditor.errors)}, $INSUNITS {doc.header.get('$INSUNITS')}, "
                      f"{len(outer)} outer contours for {parts} parts")
    else:
        print(f"{name}: CAM drawing of layout 1: {len(outer)} outer and {len(contours) - len(outer)} inner contours read back")


def same_from_saved_job(cli, saved, nc_dir, setup, errors, where):
    """`nc JOB.nst --all` writes a program for the same layouts as `nest --nc-dir`, with the same
    cuts and pierces (the saved job's rounded coordinates may change the order of near ties)."""
    again = os.path.join(os.path.dirname(saved), "nc-again")
    done = subprocess.run([cli, "nc", saved, "--all", "--dir", again, *setup], capture_output=True, text=True)
    if done.returncode != 0:
        errors.append(f"{where}: nc --all failed: {done.stderr.strip()[:200]}")
        return
    names = sorted(os.listdir(nc_dir)) if os.path.isdir(nc_dir) else []
    if names != sorted(os.listdir(again)):
        errors.append(f"{where}: nc --all wrote {sorted(os.listdir(again))}, nest --nc-dir {names}")
        return

    def cuts(path):
        with open(path) as f:
            text = f.read()
        return sorted(re.findall(r"\(part \d+ [^)]*: (?:hole|outline)\)", text)), re.findall(r"(\d+) pierces\)", text)

    for n in names:
        if cuts(os.path.join(nc_dir, n)) != cuts(os.path.join(again, n)):
            errors.append(f"{where}: {n} from nc --all cuts other contours than nest --nc-dir's")


def check_job(cli, folder, mode, iterations, classic_refusals, errors):
    args = job_args(folder)
    name = os.path.basename(os.path.normpath(folder))
    with tempfile.TemporaryDirectory() as work:
        extra = ["--mode", "deep", "--iterations", str(iterations), "--threads", "1", "--seed", "1"] if mode == "deep" else []
        result_json, nc_dir = os.path.join(work, "r.json"), os.path.join(work, "nc")
        saved = os.path.join(work, "nested.nst")
        setup = ["--cut-table", os.path.join(RESOURCES, "cutting.dat"), "--post", os.path.join(RESOURCES, "post.cfg")]
        done = subprocess.run([cli, "nest", *args, *extra, "--json", result_json, "--nc-dir", nc_dir, "--save", saved,
                               *setup], cwd=folder, capture_output=True, text=True)
        if "cannot be cut: parts must stand at least the kerf" in done.stderr:
            if mode == "classic" and classic_refusals and re.search(r"parts \d+ \(.*\) and \d+", done.stderr):
                print(f"{name} {mode}: refused, parts closer than the kerf: {done.stderr.strip().splitlines()[-1][:160]}")
                return
            errors.append(f"{name} {mode}: refused: {done.stderr.strip()[:300]}")
            return
        if not os.path.exists(result_json):
            errors.append(f"{name} {mode}: nest failed: {done.stderr.strip()[:300]}")
            return
        with open(result_json) as f:
            result = json.load(f)
        kerf = float(result["details"]["kerf"])
        if mode == "deep" and result["layouts"]:
            check_cam_drawing(cli, folder, work, errors, name)
        same_from_saved_job(cli, saved, nc_dir, setup, errors, f"{name} {mode}")
        for layout in result["layouts"]:
            program = os.path.join(nc_dir, f"layout-{layout['number']}.nc")
            if not os.path.exists(program):
                errors.append(f"{name} {mode}: no program for layout {layout['number']}: {done.stderr.strip()[:200]}")
                continue
            before = len(errors)
            measured = check_layout(layout, program, kerf, errors, classic_refusals)
            if measured and len(errors) == before:
                ours, theirs, length, count = measured
                print(f"{name} {mode} layout {layout['number']}: {count} cuts, cut {length:.0f}, "
                      f"rapids {ours:.0f} (layout order {theirs:.0f})")
            errors[before:] = [f"{name} {mode}: {e}" for e in errors[before:before + 5]]


def main(argv):
    if shutil.which("rs274") is None:
        print("rs274 (Debian package linuxcnc-uspace) is not installed: NC programs not checked")
        return 77
    cli, rest = os.path.abspath(argv[1]), argv[2:]
    iterations, classic_refusals, folders = 30, False, []
    while rest:
        a = rest.pop(0)
        if a == "--deep-iterations":
            iterations = int(rest.pop(0))
        elif a == "--classic-refusals":
            classic_refusals = True
        else:
            folders.append(a)
    jobs = []
    for folder in folders:
        if os.path.exists(os.path.join(folder, "job.args")):
            jobs.append(folder)
        elif os.path.isdir(folder):
            jobs += sorted(os.path.join(folder, d) for d in os.listdir(folder)
                           if os.path.exists(os.path.join(folder, d, "job.args")))
    errors = []
    for job in jobs:
        for mode in ("classic", "deep"):
            check_job(cli, job, mode, iterations, classic_refusals, errors)
    for e in errors:
        print(e)
    print(f"{len(jobs)} jobs, {len(errors)} failures")
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
