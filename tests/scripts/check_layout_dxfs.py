#!/usr/bin/python3
"""Checks the DXF drawings of every layout of every bench job with ezdxf, a reader apart from ours.

For each job folder: nest it with the batch tool, writing the whole result as JSON and one DXF
drawing per layout. Each drawing must read back without errors or repairs and hold, in order,
every entity of its layout's instances each followed by the part's name, then the sheet's
entities, at the coordinates the JSON gives, with no handle used twice.
Usage: check_layout_dxfs.py DRAVENOR_CLI BENCH_FOLDER
"""
import json
import math
import os
import subprocess
import sys
import tempfile

from bench_jobs import run_over_bench

from ezdxf import recover

TOLERANCE = 1e-6


def angle_gap(a, b):
    d = math.fmod(abs(a - b), 360.0)
    return min(d, 360.0 - d)


def expected_records(layout):
    """(type, numbers, text) of every record the layout's drawing must hold, in order."""
    records = []
    for instance in layout["instances"]:
        xs, ys = [], []
        for e in instance["entities"]:
            records.append(record_of(e))
            if e["type"] == "line":
                xs += [e["x1"], e["x2"]]
                ys += [e["y1"], e["y2"]]
        name = os.path.basename(instance["part"])[:-4]
        # Box centres are checked for parts made of lines only (the bench parts are polygons).
        only_lines = all(e["type"] == "line" for e in instance["entities"])
        centre = ((min(xs) + max(xs)) / 2, (min(ys) + max(ys)) / 2) if xs and only_lines else None
        records.append(("TEXT", centre, name))
    records += [record_of(e) for e in layout["sheetEntities"]]
    return records


def record_of(e):
    if e["type"] == "line":
        return ("LINE", (e["x1"], e["y1"], e["x2"], e["y2"]), None)
    if e["type"] == "circle":
        return ("CIRCLE", (e["cx"], e["cy"], e["rad"]), None)
    return ("ARC", (e["cx"], e["cy"], e["rad"], e["start"], e["end"]), None)


def numbers_of(entity):
    kind, d = entity.dxftype(), entity.dxf
    if kind == "LINE":
        return (d.start.x, d.start.y, d.end.x, d.end.y)
    if kind == "CIRCLE":
        return (d.center.x, d.center.y, d.radius)
    if kind == "ARC":
        return (d.center.x, d.center.y, d.radius, d.start_angle, d.end_angle)
    if kind == "TEXT":
        return (d.insert.x, d.insert.y)
    return ()


def check_drawing(path, layout):
    try:
        doc, auditor = recover.readfile(path)
    except Exception as exc:
        return [f"{path}: cannot read: {exc}"]
    problems = [f"{path}: {e.message}" for e in list(auditor.errors) + list(auditor.fixes)]
    audit = doc.audit()
    problems += [f"{path}: audit: {e.message}" for e in list(audit.errors) + list(audit.fixes)]
    got = list(doc.modelspace())
    want = expected_records(layout)
    if len(got) != len(want):
        return problems + [f"{path}: {len(got)} entities, the layout has {len(want)}"]
    handles = set()
    for i, (entity, (kind, numbers, text)) in enumerate(zip(got, want)):
        where = f"{path}: entity {i + 1}"
        if entity.dxf.handle in handles:
            problems.append(f"{where}: handle {entity.dxf.handle} used twice")
        handles.add(entity.dxf.handle)
        if entity.dxftype() != kind:
            problems.append(f"{where}: {entity.dxftype()} where {kind} belongs")
            continue
        if kind == "TEXT":
            if entity.dxf.text != text:
                problems.append(f"{where}: text {entity.dxf.text!r}, part {text!r}")
        if not numbers:
            continue
        for k, (a, b) in enumerate(zip(numbers_of(entity), numbers)):
            gap = angle_gap(a, b) if kind == "ARC" and k >= 3 else abs(a - b)
            if gap > TOLERANCE * max(1.0, abs(b)):
                problems.append(f"{where}: {kind} value {k} is {a}, the layout has {b}")
    return problems


def check(cli, folder):
    with open(os.path.join(folder, "job.args")) as f:
        args = [line.strip() for line in f if line.strip()]
    with tempfile.TemporaryDirectory() as work:
        result_file = os.path.join(work, "result.json")
        drawings = os.path.join(work, "dxf")
        subprocess.run([cli, "nest", *args, "--json", result_file, "--dxf-dir", drawings], cwd=folder,
                       check=False, stdout=subprocess.DEVNULL)
        with open(result_file) as f:
            layouts = json.load(f)["layouts"]
        problems = []
        for layout in layouts:
            path = os.path.join(drawings, f"layout-{layout['number']}.dxf")
            if not os.path.exists(path):
                problems.append(f"{path}: not written")
                continue
            problems += check_drawing(path, layout)
        extra = len(os.listdir(drawings)) - len(layouts)
        if extra:
            problems.append(f"{folder}: {extra} drawing(s) more than layouts")
    entities = sum(len(i["entities"]) for l in layouts for i in l["instances"]) + \
        sum(len(l["sheetEntities"]) for l in layouts)
    print(f"{os.path.basename(folder)}: {len(layouts)} layout drawing(s), {entities} entities"
          + ("" if problems else ", all read back"))
    return problems


def main():
    return run_over_bench(check, "job.args")


if __name__ == "__main__":
    sys.exit(main())
