#!/usr/bin/python3
"""Checks the report of every saved bench job against job.json, computed here on its own.

For each job folder: nest it with the batch tool, save the job, write its report, then compare
the report's sheets used, placed area and overall yield with the areas job.json gives.
Usage: check_report_totals.py DRAVENOR_CLI BENCH_FOLDER
"""
import json
import os
import re
import subprocess
import sys
import tempfile

from bench_jobs import run_over_bench

# The report's yields come from the true outlines: they must match the polygon areas to 0.1
# points (a fraction of 0.001), far closer than the engine's raster areas would.
YIELD_TOLERANCE = 0.001


def report_of(cli, folder, work):
    job_file = os.path.join(work, "job.nst")
    report_file = os.path.join(work, "Report.tlf")
    with open(os.path.join(folder, "job.args")) as f:
        args = [line.strip() for line in f if line.strip()]
    subprocess.run([cli, "nest", *args, "--save", job_file], cwd=folder, check=True, stdout=subprocess.DEVNULL)
    subprocess.run([cli, "report", job_file, "-o", report_file], check=True, stdout=subprocess.DEVNULL)
    with open(report_file, newline="") as f:
        return f.read()


def sheets_used(report):
    """(display name, qty used) of the sheet utilisation table."""
    table = report.split("Sheet(s) Utilization Summary", 1)[1].split("*****", 1)[0]
    rows = []
    for line in table.splitlines():
        m = re.match(r"^(\S.{0,17}?)\s+(\d+)\s", line)
        if m and not line.startswith("Sheet File Name"):
            rows.append((m.group(1).strip(), int(m.group(2))))
    return rows


def check(cli, folder):
    with open(os.path.join(folder, "job.json")) as f:
        job = json.load(f)
    with tempfile.TemporaryDirectory() as work:
        report = report_of(cli, folder, work)
    yield_shown = float(re.search(r"Overall Yield : ([0-9.]+)", report).group(1)) / 100
    area_of = {os.path.basename(s["file"])[:18]: float(s["w"]) * float(s["h"]) for s in job["sheets"]}
    used = sheets_used(report)
    sheet_area = sum(area_of[name] * qty for name, qty in used)
    if "QtyRem" not in report or re.search(r"^\S.*\s+\d+\s+\d+\s+[1-9]\d*\s", report, re.M):
        return f"{folder}: parts left unplaced"
    expected = float(job["total_part_area"]) / sheet_area
    if abs(yield_shown - expected) > YIELD_TOLERANCE:
        return f"{folder}: overall yield {yield_shown:.4f}, job.json gives {expected:.4f}"
    print(f"{os.path.basename(folder)}: {len(used)} sheet type(s), {sum(q for _, q in used)} sheets, "
          f"yield {yield_shown:.4f} (job.json {expected:.4f})")
    return None


def main():
    return run_over_bench(lambda cli, folder: [p for p in [check(cli, folder)] if p], "job.json")


if __name__ == "__main__":
    sys.exit(main())
