#!/usr/bin/python3
"""Checks that a parts list nests to the same layouts as the parts given one by one.

For every bench job (a folder with job.args and job.json), writes a parts list of its parts from
job.json (file, quantity and orientation), in a folder of its own so that the paths are relative
to the list, each job in another spreadsheet dialect (comma or semicolon, byte-order mark, quotes,
columns in another order, material and thickness, and a row of another material that must be
left out). Then nests the job with the classic engine twice, once from job.args and once with
its --part arguments replaced by --parts-list, and requires the same JSON result (times and file
names' folders aside).
Usage: check_parts_lists.py DRAVENOR_CLI BENCH_FOLDER
"""
import json
import os
import re
import subprocess
import sys
import tempfile

from batch_jobs import finish, job_args, job_folders

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
                  "thickness": details["thick"].replace(".", ","), "mirror": "no", "priority": ""}
        rows.append([values[key_of(title)] for title in header])
    # A row for other stock, whose file need not exist.
    other = {"file": "elsewhere/none.dxf", "qty": 5, "orientation": "", "material": "ALU", "thickness": "3",
             "mirror": "", "priority": ""}
    if "Material" in header:
        rows.append([other[key_of(title)] for title in header])
    return mark + "\r\n".join(separator.join(cell(v, separator) for v in row) for row in rows) + "\r\n"


def key_of(title):
    key = title.lower().replace(" ", "")
    return {"partfilename": "file", "drawing": "file", "quantity": "qty", "orn": "orientation"}.get(key, key)


def comparable(path):
    with open(path) as f:
        result = json.load(f)
    result.pop("seconds", None)
    result["statusText"] = re.sub(r"\[[^]]*Seconds\]", "", result.get("statusText", ""))

    def strip(value, key=None):
        if isinstance(value, dict):
            return {k: strip(v, k) for k, v in value.items()}
        if isinstance(value, list):
            return [strip(v) for v in value]
        if key in ("part", "sheet", "file") and isinstance(value, str):
            return os.path.basename(value)
        return value
    return strip(result)


def check(cli, folder, work, dialect):
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
    if "Material" in dialect[2] and "line " + str(len(job["parts"]) + 2) + " left out: material ALU" not in runs[1].stderr:
        return [f"{name}: the row of another material was not named: {runs[1].stderr!r}"]
    if not comparable(by_args)["layouts"] or comparable(by_args) != comparable(by_list):
        return [f"{name}: job.args gives no layouts, or the list gives others"]
    print(f"{name}: {len(job['parts'])} part types, same layouts from the list (separator {dialect[0]!r})")
    return []


def main():
    cli = os.path.abspath(sys.argv[1])
    folders = job_folders(sys.argv[2:3], "job.json")
    problems = [] if folders else [f"no bench jobs in {sys.argv[2]}"]
    for k, folder in enumerate(folders):
        with tempfile.TemporaryDirectory() as work:
            problems += check(cli, folder, work, DIALECTS[k % len(DIALECTS)])
    return finish(problems)


if __name__ == "__main__":
    sys.exit(main())
