#!/usr/bin/python3
"""Checks the stock folder through the batch tool, with real processes.

  from-stock  a job run from stock takes remnants first; cutting it leaves exactly the stock
              before, less the plates used, plus the new remnants, and its NC program names the
              remnant it parts off by its stock id; cutting it again is refused (and changes
              nothing) unless --again
  together    two cuts started at the same moment, 20 times over: every one lands exactly once
  killed      a cut stopped at every step of its change (DRAVENOR_STOCK_STOP_AT) and killed after
              random delays: the stock reads, and equals the stock before or the stock after
Usage: check_stock.py DRAVENOR_CLI PARTS_FOLDER
"""
import csv
import io
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

CLI = None
PARTS = None


def cli(*args, check=True):
    done = subprocess.run([CLI, *args], capture_output=True, text=True)
    if check and done.returncode != 0:
        raise AssertionError(f"{' '.join(args)}: exit {done.returncode}: {done.stderr.strip()}")
    return done


def table(stock, name="stock.csv"):
    """The rows of one of the stock's tables, read with Python's own CSV reader."""
    with open(os.path.join(stock, name), newline="") as f:
        return list(csv.DictReader(f))


def plates(stock):
    return {int(r["id"]): r for r in table(stock)}


def snapshot(stock):
    """Everything a reader sees: the tables and every plate's shape file."""
    cli("stock", "list", "--stock", stock)  # finishes a change a killed process left
    files = {}
    for name in ["stock.csv", "history.csv"] + [r["shape file"] for r in table(stock)]:
        with open(os.path.join(stock, name), "rb") as f:
            files[name] = f.read()
    return files


def nest_from_stock(stock, work, name, parts):
    job = os.path.join(work, name)
    args = ["nest", "--mat", "S235", "--thick", "10", "--kerf", "3", "--from-stock", "--stock", stock,
            "--save", job]
    for p in parts:
        args += ["--part", os.path.join(PARTS, p)]
    cli(*args)
    return job


def used_sheets(job):
    """(sheet file, identical sheets) per layout: the sheets' own rows of the job file's layout items."""
    with open(job, newline="") as f:
        items = f.read().split("[NEST.TLF]", 1)[1].split("[END]", 1)[0]
    return [(row[0], int(row[7])) for row in csv.reader(io.StringIO(items.strip())) if row and int(row[4]) == 0]


def check_from_stock(work):
    stock = os.path.join(work, "stock")
    cli("stock", "add", "--rect", "3000x1500", "--mat", "S235", "--thick", "10", "--qty", "1000", "--stock", stock)
    cli("stock", "add", "--rect", "2000x1000", "--mat", "S355", "--thick", "10", "--qty", "5", "--stock", stock)
    first = nest_from_stock(stock, work, "first.nst", ["base-plate-300x300.shp:4", "flange-od300-8holes.shp:2"])
    before = plates(stock)
    out = cli("cut", first, "--all", "--stock", stock).stdout
    after = plates(stock)
    used = used_sheets(first)
    assert all(os.path.basename(s).startswith("P1.") for s, _ in used), used
    new = {i: r for i, r in after.items() if i not in before}
    assert int(after[1]["quantity"]) == int(before[1]["quantity"]) - sum(q for _, q in used), (before[1], after[1])
    assert after[2] == before[2]
    assert len(new) == len(used) and all(r["source job"] == os.path.abspath(first) for r in new.values()), new
    assert "remnant" in out
    # The program of a layout cut ends with the cut that parts its remnant off, under its stock id.
    resources, program = os.path.dirname(os.path.dirname(PARTS)), os.path.join(work, "first.nc")
    cli("nc", first, "--layout", "1", "-o", program, "--stock", stock, "--cut-table", os.path.join(resources, "cutting.dat"),
        "--post", os.path.join(resources, "post.cfg"))
    with open(program) as f:
        assert any(f": remnant cut, keeps remnant {i}: " in line for line in f for i in new), "no remnant cut named by its id"
    # Cutting the same layouts again is refused and changes nothing.
    tables = snapshot(stock)
    again = cli("cut", first, "--all", "--stock", stock, check=False)
    assert again.returncode == 1 and "--again" in again.stderr, again.stderr
    assert snapshot(stock) == tables
    # The next job takes the remnant first.
    second = nest_from_stock(stock, work, "second.nst", ["gusset-200x150.shp:3"])
    sheets = [os.path.basename(s) for s, _ in used_sheets(second)]
    assert sheets and all(s.startswith("R") for s in sheets), sheets
    before = plates(stock)
    cli("cut", second, "--all", "--stock", stock)
    after = plates(stock)
    for s, q in used_sheets(second):
        pid = int(os.path.basename(s)[1:-4])
        left = int(before[pid]["quantity"]) - q
        assert (after[pid]["quantity"] == str(left)) if left else (pid not in after), (pid, before[pid], after.get(pid))
    print(f"from-stock: {len(used)} layout(s) cut from full plates, the next job took remnant(s) {sheets}")
    return stock, first


def check_together(stock, first, work):
    copy = os.path.join(work, "copy.nst")
    shutil.copy(first, copy)
    before = plates(stock)
    rows_before = len(table(stock, "history.csv"))
    per_cut = sum(q for _, q in used_sheets(first))
    layouts = len(used_sheets(first))
    for _ in range(20):
        procs = [subprocess.Popen([CLI, "cut", job, "--all", "--again", "--stock", stock],
                                  stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True) for job in (first, copy)]
        for p in procs:
            _, err = p.communicate()
            assert p.returncode == 0, err
    after = plates(stock)
    assert int(after[1]["quantity"]) == int(before[1]["quantity"]) - 40 * per_cut
    new = [r for i, r in after.items() if i not in before]
    assert len(new) == 40 * layouts, len(new)
    assert len(table(stock, "history.csv")) == rows_before + 40 * layouts
    for r in after.values():
        assert os.path.exists(os.path.join(stock, r["shape file"])), r
    print(f"together: 40 cuts in 20 pairs, {len(new)} remnants, none lost or doubled")


def check_killed(stock, first, work):
    again = [CLI, "cut", first, "--all", "--again", "--stock", stock]
    landed = []
    trials = [("step", s) for s in range(1, 8)] + [("delay", random.uniform(0.0, 0.15)) for _ in range(10)]
    for kind, value in trials:
        before = snapshot(stock)
        # The clean result, then the stock put back as it was (the job names the stock's own
        # files, so the cut must run in the stock's own folder).
        kept = os.path.join(work, "kept")
        shutil.rmtree(kept, ignore_errors=True)
        shutil.copytree(stock, kept)
        cli(*again[1:])
        after = snapshot(stock)
        shutil.rmtree(stock)
        shutil.copytree(kept, stock)
        assert snapshot(stock) == before
        if kind == "step":
            p = subprocess.run(again, env={**os.environ, "DRAVENOR_STOCK_STOP_AT": str(value)}, capture_output=True)
            assert p.returncode == -signal.SIGKILL, (value, p.returncode)
        else:
            p = subprocess.Popen(again, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            time.sleep(value)
            p.kill()
            p.wait()
        now = snapshot(stock)
        assert now in (before, after), f"killed at {kind} {value}: the stock is neither before nor after"
        landed.append(now == after and now != before)
    print(f"killed: {len(trials)} cuts killed, stock as before {landed.count(False)}, as after {landed.count(True)}")


def main():
    global CLI, PARTS
    CLI, PARTS = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    random.seed(7)
    with tempfile.TemporaryDirectory() as work:
        stock, first = check_from_stock(work)
        check_together(stock, first, work)
        check_killed(stock, first, work)
    return 0


if __name__ == "__main__":
    sys.exit(main())
