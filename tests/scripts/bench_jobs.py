"""Runs one check over every job of the shared bench folder, for the script tests."""
import os
import sys


def run_over_bench(check, marker):
    """check(cli, folder) returns a list of problems; marker is the file a job folder must hold.

    Arguments: DRAVENOR_CLI BENCH_FOLDER. A missing bench folder checks nothing. Returns the exit
    code: 1 when any job has a problem.
    """
    cli, bench = os.path.abspath(sys.argv[1]), sys.argv[2]
    if not os.path.isdir(bench):
        print(f"no bench folder at {bench}: nothing to check")
        return 0
    folders = sorted(os.path.join(bench, d) for d in os.listdir(bench)
                     if os.path.exists(os.path.join(bench, d, marker)))
    problems = [p for folder in folders for p in check(cli, folder)]
    for p in problems[:50]:
        print(p, file=sys.stderr)
    return 1 if problems else 0
