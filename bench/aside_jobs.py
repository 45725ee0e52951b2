#!/usr/bin/env python3
"""Writes strip jobs that Deep Nesting is never tuned on, one folder each, from a fixed seed:

- smallmany: 100 small parts of four example types, as drawn or turned half round;
- vertices: 24 round-edged blobs of 120-240 corners each, right-angle turns;
- rightangles: 40 L, T, U and Z plates, right-angle turns.

Each folder gets parts/*.shp, a 6000 x 1500 strip sheet and strip.args, for
`dravenor-bench --deep --no-classic FOLDER/strip.args`.

usage: aside_jobs.py OUTPUT_FOLDER
"""
import math
import pathlib
import random
import sys

REPOSITORY = pathlib.Path(__file__).resolve().parent.parent
EXAMPLES = REPOSITORY / "resources" / "examples" / "parts"
sys.path.insert(0, str(REPOSITORY / "tests" / "scripts"))
from batch_jobs import line, write_shape  # noqa: E402  (the shape file writer the checks share)


def write_ring(path, points):
    write_shape(str(path), [line(p, points[(i + 1) % len(points)]) for i, p in enumerate(points)])


def blob(rng):
    corners = rng.randrange(120, 241)
    radius = rng.uniform(120, 380)
    waves = [(rng.randrange(2, 7), rng.uniform(0.05, 0.25), rng.uniform(0, math.tau)) for _ in range(3)]
    points = []
    for k in range(corners):
        t = math.tau * k / corners
        r = radius * (1 + sum(a * math.sin(n * t + p) for n, a, p in waves) / 2)
        points.append((r * math.cos(t), r * math.sin(t)))
    return points


def rectilinear(rng):
    w, h = rng.uniform(200, 520), rng.uniform(150, 420)
    t = rng.uniform(0.25, 0.45)
    a, b = w * t, h * t
    kind = rng.choice("LTUZ")
    if kind == "L":
        return [(0, 0), (w, 0), (w, b), (a, b), (a, h), (0, h)]
    if kind == "T":
        x0, x1 = (w - a) / 2, (w + a) / 2
        return [(x0, 0), (x1, 0), (x1, h - b), (w, h - b), (w, h), (0, h), (0, h - b), (x0, h - b)]
    if kind == "U":
        return [(0, 0), (w, 0), (w, h), (w - a, h), (w - a, b), (a, b), (a, h), (0, h)]
    return [(0, 0), (w - a, 0), (w - a, h - b), (w, h - b), (w, h), (a, h), (a, b), (0, b)]


def write_job(folder, parts):
    """parts: (file, quantity, rule) with files relative to the folder or absolute."""
    (folder / "sheets").mkdir(parents=True, exist_ok=True)
    write_ring(folder / "sheets" / "strip_6000x1500.shp", [(0, 0), (6000, 0), (6000, 1500), (0, 1500)])
    args = ["--mat", "S235", "--thick", "10", "--kerf", "3", "--sheet", "sheets/strip_6000x1500.shp:1:1"]
    for file, quantity, rule in parts:
        args += ["--part", f"{file}:{quantity}:0:{rule}"]
    (folder / "strip.args").write_text("\n".join(args) + "\n")


def main():
    out = pathlib.Path(sys.argv[1])
    rng = random.Random(7)

    small = [("gusset-200x150.shp", 30), ("end-plate-200x120.shp", 30), ("l-bracket-250x150.shp", 25),
             ("base-plate-300x300.shp", 15)]
    write_job(out / "smallmany", [(str(EXAMPLES / f), q, "step180") for f, q in small])

    for name, make, count in (("vertices", blob, 24), ("rightangles", rectilinear, 40)):
        folder = out / name
        (folder / "parts").mkdir(parents=True, exist_ok=True)
        parts = []
        for i in range(count):
            write_ring(folder / "parts" / f"p{i}.shp", make(rng))
            parts.append((f"parts/p{i}.shp", 1, "step90"))
        write_job(folder, parts)


if __name__ == "__main__":
    main()
