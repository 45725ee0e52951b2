#!/usr/bin/python3
"""Checks what the batch tool makes of saved jobs against results found apart from it.

Every folder given that holds a job.args is a job, and so is every subfolder of it that holds
one (a missing folder checks nothing). Each job is nested with the batch tool, then:
  report  (jobs with a job.json) the report of the saved job: its sheets used and overall yield
          agree with the areas job.json gives, to 0.1 points, and no part is left unplaced; its
          quote's part rows add up to its totals row to the cent, and its material is the sheets'
          weight (from job.json's areas) at the price less the remnants' and the scrap's credit
  dxf     every layout's DXF drawing reads back with ezdxf without errors or repairs, names
          millimetres, has the parts, their names and the sheet on layers of their own, and holds,
          in order, every entity of each instance followed by the part's name, then the sheet's
          entities, at the coordinates of the JSON result, with no handle used twice; and the
          printed summary agrees with the JSON result
  kerf    the classic engine keeps every two parts at least the kerf apart and every part at
          least half the kerf from its sheet's outline and holes, measured by check-layout on
          the true outlines (arcs as arcs) with KERF_NOISE allowed for rounding
  list    (jobs with a job.json) a parts list written from job.json (files relative to the list,
          each job in another spreadsheet dialect: separator, byte-order mark, quotes, columns in
          another order, and rows of another material or thickness, which must be named and left
          out) nests to the same JSON result as the --part arguments of job.args
Usage: check_bench_jobs.py report|dxf|kerf|list DRAVENOR_CLI FOLDER...
"""
import csv
import io
import json
import math
import os
import re
import subprocess
import sys
import tempfile

from batch_jobs import entity_of_json, finish, job_args, job_folders, option
from dxf_check import layers_and_units, off_values, read_drawing

TOLERANCE = 1e-6
# The report's yields come from the true outlines: they must match the polygon areas to 0.1
# points (a fraction of 0.001), far closer than the engine's raster areas would.
YIELD_TOLERANCE = 0.001
KERF_NOISE = 0.01


def nest(cli, folder, work, *outputs):
    """What the run printed."""
    return subprocess.run([cli, "nest", *job_args(folder), *outputs], cwd=folder, capture_output=True, text=True).stdout


def check_report(cli, folder, work, _):
    with open(os.path.join(folder, "job.json")) as f:
        job = json.load(f)
    job_file, report_file = os.path.join(work, "job.nst"), os.path.join(work, "Report.tlf")
    nest(cli, folder, work, "--save", job_file)
    subprocess.run([cli, "report", job_file, "-o", report_file], check=True, stdout=subprocess.DEVNULL)
    with open(report_file, newline="") as f:
        report = f.read()
    yield_shown = float(re.search(r"Overall Yield : ([0-9.]+)", report).group(1)) / 100
    # (display name, qty used) of the sheet utilisation table
    table = report.split("Sheet(s) Utilization Summary", 1)[1].split("*****", 1)[0]
    used = [(m.group(1).strip(), int(m.group(2))) for line in table.splitlines()
            if (m := re.match(r"^(\S+)\s+(\d+)\s", line)) and not line.startswith("Sheet File Name")]
    area_of = {os.path.basename(s["file"]): float(s["w"]) * float(s["h"]) for s in job["sheets"]}
    if "QtyRem" not in report or re.search(r"^\S.*\s+\d+\s+\d+\s+[1-9]\d*\s", report, re.M):
        return [f"{folder}: parts left unplaced"]
    expected = float(job["total_part_area"]) / sum(area_of[name] * qty for name, qty in used)
    if abs(yield_shown - expected) > YIELD_TOLERANCE:
        return [f"{folder}: overall yield {yield_shown:.4f}, job.json gives {expected:.4f}"]
    print(f"{os.path.basename(folder)}: {len(used)} sheet type(s), {sum(q for _, q in used)} sheets, "
          f"yield {yield_shown:.4f} (job.json {expected:.4f})")
    sheet_area = sum(area_of[name] * qty for name, qty in used)
    return quote_problems(cli, folder, work, job_file, sheet_area, float(job["total_part_area"]))


# Prices and tables of the quote check: odd amounts, so that a wrong factor cannot hide.
DENSITY, PER_KG, REMNANT_SHARE, SCRAP_PER_KG = 7.85e-6, 1.37, 0.6, 0.11


def quote_problems(cli, folder, work, job_file, sheet_area, part_area):
    args = job_args(folder)
    mat, thick = (args[args.index(key) + 1] for key in ("--mat", "--thick"))
    files = {"prices.dat": f'"{mat}","","{thick}","{PER_KG}","97","0.23","17","3","{SCRAP_PER_KG}","{REMNANT_SHARE * 100:g}"',
             "density.dat": f'"{mat}","{DENSITY:.8f}"', "cutting.dat": f'"{mat}","{thick}","0","1500","0.8","6","3","1"'}
    for name, row in files.items():
        with open(os.path.join(work, name), "w") as f:
            f.write(row + "\r\n")
    run = subprocess.run([cli, "quote", job_file, "--csv", "-", "--margin", "12.5", "--no-history",
                          *(x for name in files for x in ("--" + name.split(".")[0].replace("cutting", "cut-table"),
                                                           os.path.join(work, name)))],
                         capture_output=True, text=True)
    name = os.path.basename(folder)
    if run.returncode != 0:
        return [f"{name}: quote exit {run.returncode}: {run.stderr.strip()}"]
    rows = list(csv.reader(io.StringIO(run.stdout)))
    header, total_at = rows[0], next(i for i, r in enumerate(rows) if r and r[0] == "Total")
    problems = []
    for column in ("Material", "Cutting", "Set-up", "Cost", "Price"):
        c = header.index(column)
        parts = sum(round(float(r[c]) * 100) for r in rows[1:total_at])
        if parts != round(float(rows[total_at][c]) * 100):
            problems.append(f"{name}: the parts' {column} add up to {parts / 100:.2f}, the total is {rows[total_at][c]}")
    kg_per_area = DENSITY * float(thick)
    sheet_kg, part_kg = sheet_area * kg_per_area, part_area * kg_per_area
    remnant_kg = float(re.search(r"less ([0-9.]+) kg kept as remnants", run.stdout).group(1))
    material = sheet_kg * PER_KG - remnant_kg * PER_KG * REMNANT_SHARE - (sheet_kg - part_kg - remnant_kg) * SCRAP_PER_KG
    shown = float(rows[total_at][header.index("Material")])
    if abs(shown - material) > 0.01 + 0.005 * PER_KG:
        problems.append(f"{name}: material {shown:.2f}, the sheets' weight at the price less credits gives {material:.2f}")
    print(f"{name}: quote of {total_at - 1} part type(s), material {shown:.2f} (worked out {material:.2f}), "
          f"price {rows[total_at][header.index('Price')]}")
    return problems


def record_of(e):
    v = entity_of_json(e)
    return (e["type"].upper(), v[0:4] if e["type"] == "line" else v[4:7] if e["type"] == "circle" else v[4:9], None)


def expected_records(layout):
    """(type, numbers, text) of every record the layout's drawing must hold, in order. The name's
    position is checked for parts of lines only (their box is that of the line ends)."""
    records = []
    for instance in layout["instances"]:
        records += [record_of(e) for e in instance["entities"]]
        xs = [e[k] for e in instance["entities"] if e["type"] == "line" for k in ("x1", "x2")]
        ys = [e[k] for e in instance["entities"] if e["type"] == "line" for k in ("y1", "y2")]
        only_lines = all(e["type"] == "line" for e in instance["entities"])
        centre = ((min(xs) + max(xs)) / 2, (min(ys) + max(ys)) / 2) if xs and only_lines else None
        records.append(("TEXT", centre, os.path.basename(instance["part"])[:-4]))
    return records + [record_of(e) for e in layout["sheetEntities"]]


def drawing_problems(path, layout):
    version, problems, got = read_drawing(path)
    problems = [f"{path}: {p}" for p in problems]
    want = expected_records(layout)
    if len(got) != len(want):
        return problems + [f"{path}: {len(got)} entities, the layout has {len(want)}"]
    # The plate, the parts and their names on layers of their own; millimetres named in the header.
    layers, units = layers_and_units(path)
    sheet_from = len(want) - len(layout["sheetEntities"])
    want_layers = ["PART_NAMES" if kind == "TEXT" else "PARTS" if i < sheet_from else "SHEET"
                   for i, (kind, _, _) in enumerate(want)]
    if layers != want_layers:
        problems.append(f"{path}: layers {sorted(set(layers))} not as the parts, names and sheet are")
    if units != 4:
        problems.append(f"{path}: $INSUNITS {units}, not 4 (millimetres)")
    handles = set()
    for i, ((kind_got, handle, values, text_got), (kind, numbers, text)) in enumerate(zip(got, want)):
        where = f"{path}: entity {i + 1}"
        if handle in handles:
            problems.append(f"{where}: handle {handle} used twice")
        handles.add(handle)
        if kind_got != kind:
            problems.append(f"{where}: {kind_got} where {kind} belongs")
            continue
        if text_got != text:
            problems.append(f"{where}: text {text_got!r}, part {text!r}")
        problems += [f"{where}: {kind} value {k} is {a}, the layout has {b}"
                     for k, a, b in off_values(kind, values, numbers or (), TOLERANCE)]
    return problems


def summary_problems(folder, out, result):
    """The printed summary against the JSON result: its first line the status, the kerf used said
    where it is not the kerf entered, a line for every layout; a full run, and only it, leaves no part
    unplaced; instances numbered from 1."""
    kerf, used = option(job_args(folder), "--kerf"), result["details"]["actKerf"]
    wrong = [] if out.startswith(result["statusText"] + "\n") else ["the status line"]
    wrong += [] if (result["status"] == "full") == (not result["unplaced"]) else ["the status and the parts unplaced"]
    wrong += [] if used == kerf or f"Kerf used {used:g} (entered {kerf:g})" in out else [f"the kerf used {used:g}"]
    for layout in result["layouts"]:
        n, instances = layout["number"], [i["instance"] for i in layout["instances"]]
        wrong += [] if f"Layout {n}: {layout['sheet']} x {layout['qty']}, " in out else [f"the line of layout {n}"]
        wrong += [] if instances == list(range(1, layout["partsPlaced"] + 1)) else [f"instances {instances} of layout {n}"]
    return [f"{folder}: the summary printed and the JSON result differ in {w}" for w in wrong]


def check_drawings(cli, folder, work, _):
    result_file, drawings = os.path.join(work, "result.json"), os.path.join(work, "dxf")
    out = nest(cli, folder, work, "--json", result_file, "--dxf-dir", drawings)
    with open(result_file) as f:
        result = json.load(f)
    layouts, problems = result["layouts"], summary_problems(folder, out, result)
    for layout in layouts:
        path = os.path.join(drawings, f"layout-{layout['number']}.dxf")
        problems += drawing_problems(path, layout) if os.path.exists(path) else [f"{path}: not written"]
    if len(os.listdir(drawings)) != len(layouts):
        problems.append(f"{folder}: {len(os.listdir(drawings)) - len(layouts)} drawing(s) more than layouts")
    entities = sum(len(i["entities"]) for l in layouts for i in l["instances"]) + \
        sum(len(l["sheetEntities"]) for l in layouts)
    print(f"{os.path.basename(folder)}: {len(layouts)} layout drawing(s), {entities} entities"
          + ("" if problems else ", all read back"))
    return problems


def check_kerf(cli, folder, work, _):
    kerf = option(job_args(folder), "--kerf")
    job_file = os.path.join(work, "job.nst")
    nest(cli, folder, work, "--save", job_file)
    check = subprocess.run([cli, "check-layout", job_file, "--least", "--tolerance", str(KERF_NOISE),
                            "--spacing", f"{kerf - KERF_NOISE:g}", "--margin", f"{kerf / 2 - KERF_NOISE:g}"],
                           capture_output=True, text=True)
    lines = check.stdout.splitlines()
    apart = [float(m.group(1)) for line in lines if (m := re.search(r" ([0-9.e+-]+) apart$", line.split(",")[0]))]
    edge = [float(m.group(1)) for line in lines if (m := re.search(r" ([0-9.e+-]+) from the sheet's outline$", line))]
    print(f"{os.path.basename(folder)}: kerf {kerf:g}, least between parts {min(apart, default=math.inf):g}, "
          f"to the sheet {min(edge, default=math.inf):g}")
    if check.returncode != 0:
        faults = [line for line in lines if " less than " in line or line.endswith(" overlap")]
        return [f"{folder}: check-layout exit {check.returncode}: {(faults or [check.stderr.strip()])[0]}"]
    return []


DIALECTS = [
    # separator, byte-order mark, header
    (",", "", ["file", "qty", "orientation"]),
    (";", "\ufeff", ["Orn", "Part File Name", "Quantity", "Material", "Thickness"]),
    (",", "\ufeff", ["Quantity", "Mirror", "Drawing", "priority", "orn"]),
]


def cell(value, separator):
    text = str(value)
    return '"' + text.replace('"', '""') + '"' if separator in text or '"' in text else text


def list_text(job, folder, list_folder, dialect, details):
    separator, mark, header = dialect
    rows = [header]
    for part in job["parts"]:
        values = {"file": os.path.relpath(os.path.join(folder, part["file"]), list_folder), "qty": part["qty"],
                  "orientation": part.get("orn", ""), "material": details["mat"].lower(),
                  "thickness": f"{float(details['thick']):.1f}".replace(".", ","), "mirror": "no", "priority": ""}
        rows.append([values[key_of(title)] for title in header])
    # Rows of another material and of another thickness, whose files need not exist.
    for material, thickness in (("ALU", "3"), (details["mat"], "0,5")):
        other = {"file": "elsewhere/none.dxf", "qty": 5, "orientation": "", "material": material,
                 "thickness": thickness, "mirror": "", "priority": ""}
        rows += [[other[key_of(title)] for title in header]] if "Material" in header else []
    return mark + "\r\n".join(separator.join(cell(v, separator) for v in row) for row in rows) + "\r\n"


def key_of(title):
    key = title.lower().replace(" ", "")
    return {"partfilename": "file", "drawing": "file", "quantity": "qty", "orn": "orientation"}.get(key, key)


def comparable(path):
    with open(path) as f:
        result = json.load(f)
    result.pop("seconds", None)
    result["statusText"] = re.sub(r"\[[^]]* s\]", "", result.get("statusText", ""))

    def strip(value, key=None):
        if isinstance(value, dict):
            return {k: strip(v, k) for k, v in value.items()}
        if isinstance(value, list):
            return [strip(v) for v in value]
        if key in ("part", "sheet", "file") and isinstance(value, str):
            return os.path.basename(value)
        return value
    return strip(result)


def check_list(cli, folder, work, k):
    dialect = DIALECTS[k % len(DIALECTS)]
    args = job_args(folder)
    with open(os.path.join(folder, "job.json")) as f:
        job = json.load(f)
    details = {key: args[args.index("--" + key) + 1] for key in ("mat", "thick")}
    list_folder = os.path.join(work, "list")
    os.makedirs(list_folder)
    list_path = os.path.join(list_folder, "order.csv")
    with open(list_path, "w", encoding="utf-8", newline="") as f:
        f.write(list_text(job, folder, list_folder, dialect, details))
    without_parts = [a for i, a in enumerate(args) if a != "--part" and (i == 0 or args[i - 1] != "--part")]
    by_args, by_list = os.path.join(work, "args.json"), os.path.join(work, "list.json")
    runs = [subprocess.run([cli, "nest", *args, "--json", by_args], cwd=folder, capture_output=True, text=True),
            subprocess.run([cli, "nest", *without_parts, "--parts-list", list_path, "--json", by_list], cwd=folder,
                           capture_output=True, text=True)]
    name = os.path.basename(folder)
    if runs[0].returncode != runs[1].returncode:
        return [f"{name}: exit {runs[0].returncode} from job.args, {runs[1].returncode} from the list: {runs[1].stderr}"]
    left_out = [f"line {len(job['parts']) + 2} left out: material ALU, the job's is {details['mat']}\n",
                f"line {len(job['parts']) + 3} left out: thickness 0.5, the job's is {details['thick']}\n"]
    if "Material" in dialect[2] and not all(line in runs[1].stderr for line in left_out):
        return [f"{name}: the rows of other stock were not named: {runs[1].stderr!r}"]
    if not comparable(by_args)["layouts"] or comparable(by_args) != comparable(by_list):
        return [f"{name}: job.args gives no layouts, or the list gives others"]
    print(f"{name}: {len(job['parts'])} part types, same layouts from the list (separator {dialect[0]!r})")
    return []


def main():
    mode = sys.argv[1]
    check = {"report": check_report, "dxf": check_drawings, "kerf": check_kerf, "list": check_list}[mode]
    cli, marker = os.path.abspath(sys.argv[2]), "job.json" if mode in ("report", "list") else "job.args"
    jobs = job_folders(sys.argv[3:], marker)
    problems = [] if jobs or mode != "list" else [f"no bench jobs in {sys.argv[3:]}"]
    for k, job in enumerate(jobs):
        with tempfile.TemporaryDirectory() as work:
            problems += check(cli, job, work, k)
    return finish(problems)


if __name__ == "__main__":
    sys.exit(main())
