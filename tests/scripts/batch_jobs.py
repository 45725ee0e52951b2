"""What the checks of the batch tool share: job folders and their arguments, shape files and the
entities of a JSON result, both as the nine fields of a shape file's entity (X1, Y1, X2, Y2, CX,
CY, RAD, Nstart, Nend; arcs counter-clockwise, a circle's angles equal), and the end of a run."""
import math
import os
import sys


def job_args(folder):
    with open(os.path.join(folder, "job.args")) as f:
        return [line.strip() for line in f if line.strip()]


def option(args, name):
    return float(args[args.index(name) + 1])


def job_folders(paths, marker="job.args"):
    """Every folder given that holds the marker file, else each subfolder of it that does."""
    jobs = []
    for folder in paths:
        if not os.path.isdir(folder):
            print(f"no folder at {folder}: nothing to check")
        elif os.path.exists(os.path.join(folder, marker)):
            jobs.append(folder)
        else:
            jobs += sorted(os.path.join(folder, d) for d in os.listdir(folder)
                           if os.path.exists(os.path.join(folder, d, marker)))
    return jobs


def line(p, q):
    return (p[0], p[1], q[0], q[1], 0, 0, 0, 0, 0)


def arc(c, r, a0, a1):
    return (0, 0, 0, 0, c[0], c[1], r, a0 % 360, a1 % 360)


def circle(c, r):
    return (0, 0, 0, 0, c[0], c[1], r, 0, 0)


def sweep(e):
    return (e[8] - e[7]) % 360 or 360


def point_at(e, degrees):
    return (e[4] + e[6] * math.cos(math.radians(degrees)), e[5] + e[6] * math.sin(math.radians(degrees)))


def midpoint(e):
    """The entity's point halfway along it."""
    return ((e[0] + e[2]) / 2, (e[1] + e[3]) / 2) if e[6] == 0 else point_at(e, e[7] + sweep(e) / 2)


def ends(e):
    return (e[0:2], e[2:4]) if e[6] == 0 else (point_at(e, e[7]), point_at(e, e[8]))


def green(e):
    """The integral of (x dy - y dx) / 2 along the entity in its own direction."""
    if e[6] == 0:
        return (e[0] * e[3] - e[2] * e[1]) / 2
    cx, cy, r = e[4:7]
    t0 = math.radians(e[7])
    t1 = t0 + math.radians(sweep(e))
    return (r * r * (t1 - t0) + cx * r * (math.sin(t1) - math.sin(t0)) - cy * r * (math.cos(t1) - math.cos(t0))) / 2


def span(a):
    """An arc's angles from its start, taken into 0..360, counter-clockwise to more than that."""
    return a[7] % 360, a[7] % 360 + sweep(a)


def arc_has(a, angle):
    """Whether the arc runs through the direction angle (radians) from its centre."""
    s, e = span(a)
    t = math.degrees(angle) % 360
    while t < s:
        t += 360
    return t <= e + 1e-9


def seg_dist(x, y, x1, y1, x2, y2):
    dx, dy = x2 - x1, y2 - y1
    ll = dx * dx + dy * dy
    t = 0 if ll == 0 else max(0.0, min(1.0, ((x - x1) * dx + (y - y1) * dy) / ll))
    return math.hypot(x - x1 - t * dx, y - y1 - t * dy)


def point_dist(p, g):
    """The exact distance of the point from the entity."""
    if g[6] == 0:
        return seg_dist(p[0], p[1], *g[0:4])
    cx, cy, r = g[4:7]
    if arc_has(g, math.atan2(p[1] - cy, p[0] - cx)) and (p[0], p[1]) != (cx, cy):
        return abs(math.hypot(p[0] - cx, p[1] - cy) - r)
    return min(math.dist(p, q) for q in ends(g))


def ray_crossings(p, entities):
    """Crossings of the ray from p towards +x with the entities (even-odd inside test), each
    entity half-open at its ends so that a shared end counts once."""
    n, (px, py) = 0, p
    for g in entities:
        if g[6] == 0:
            x1, y1, x2, y2 = g[0:4]
            n += (y1 > py) != (y2 > py) and x1 + (py - y1) * (x2 - x1) / (y2 - y1) > px
        elif abs(dy := py - g[5]) < g[6]:
            (s, e), dx = span(g), math.sqrt(g[6] * g[6] - dy * dy)
            for x in (g[4] + dx, g[4] - dx):
                ang = math.degrees(math.atan2(dy, x - g[4])) % 360
                n += x > px and (ang if ang >= s else ang + 360) < e
    return n


def inside(p, entities):
    return ray_crossings(p, entities) % 2 == 1


def loops(entities, meet):
    """The closed loops, each a list of (entity, forwards), chained however the entities are
    ordered, ends closer than meet meeting; ValueError where an outline stays open."""
    todo, found = list(entities), []
    while todo:
        e = todo.pop(0)
        start, end = ends(e)
        loop = [(e, True)]
        while math.dist(start, end) >= meet:
            k = next((i for i, f in enumerate(todo) if min(math.dist(p, end) for p in ends(f)) < meet), None)
            if k is None:
                raise ValueError(f"outline not closed at {end}")
            a, b = ends(todo[k])
            loop.append((todo.pop(k), math.dist(a, end) < meet))
            end = b if loop[-1][1] else a
        found.append(loop)
    return found


def loop_area(loop):
    return abs(sum(green(e) if forwards else -green(e) for e, forwards in loop))


def enclosed_area(entities, meet):
    """Green's theorem over the closed loops, exact for lines and arcs, each loop's area counted
    in or out by the even-odd rule (whatever the direction the loops are drawn in)."""
    chains = loops(entities, meet)
    total = 0.0
    for i, c in enumerate(chains):
        probe = midpoint(c[0][0])
        depth = sum(1 for j, d in enumerate(chains) if j != i and inside(probe, [g for g, _ in d]))
        total += loop_area(c) * (1 if depth % 2 == 0 else -1)
    return total


def read_shape(path):
    with open(path) as f:
        items = [v.strip().strip('"') for v in f.read().replace("\n", ",").split(",")]
    numbers = [float(v) for v in items if v]
    return [tuple(numbers[i:i + 9]) for i in range(0, len(numbers) - 8, 9)]


def write_shape(path, entities):
    os.makedirs(os.path.dirname(path) or ".", exist_ok=True)
    with open(path, "w", newline="") as f:
        for e in entities:
            f.write(",".join(f'"{round(v, 6) + 0.0:.6f}"' for v in e) + "\r\n")


def entity_of_json(d):
    if d["type"] == "line":
        return line((d["x1"], d["y1"]), (d["x2"], d["y2"]))
    if d["type"] == "circle":
        return circle((d["cx"], d["cy"]), d["rad"])
    return arc((d["cx"], d["cy"]), d["rad"], d["start"], d["end"])


def finish(problems, limit=50):
    """Prints the first problems on stderr; the exit code."""
    for p in problems[:limit]:
        print(p, file=sys.stderr)
    return 1 if problems else 0
