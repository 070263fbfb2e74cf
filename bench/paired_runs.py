#!/usr/bin/env python3
"""Times an unchanged regeneration against a bare cat of the project's files, in pairs.

    paired_runs.py PROJECT_DIR GEN [GEN ...] [--runs N]

PROJECT_DIR holds a project that was generated before (make_project.py, then quarvel-gen on it
twice). Each round copies it afresh for every program and runs, in turn, `cat` of its files
(the folder's own files, the Backup folder left out) and each GEN on its Bench.pbm, so that a
change in the machine's load touches every figure of a round alike. Prints the medians of wall
and CPU time (user + system of the child) and each GEN's ratio to cat, and the load average.
"""
import argparse
import os
import resource
import shutil
import statistics
import subprocess
import tempfile
import time


def timed(cmd, cwd):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    subprocess.run(cmd, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return wall, cpu


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("project")
    parser.add_argument("gens", nargs="+")
    parser.add_argument("--runs", type=int, default=11)
    args = parser.parse_args()
    work = tempfile.mkdtemp(prefix="paired-")
    copy = os.path.join(work, "p")
    names = ["cat"] + args.gens
    samples = {name: [] for name in names}
    print("load average at start:", " ".join(open("/proc/loadavg").read().split()[:3]))
    for _ in range(args.runs):
        for name in names:
            shutil.rmtree(copy, ignore_errors=True)
            shutil.copytree(args.project, copy)
            os.sync()
            if name == "cat":
                files = sorted(os.path.join(copy, f) for f in os.listdir(copy)
                               if os.path.isfile(os.path.join(copy, f)))
                samples[name].append(timed(["cat"] + files, work))
            else:
                samples[name].append(timed([os.path.abspath(name), os.path.join(copy, "Bench.pbm")], work))
    print("load average at end:", " ".join(open("/proc/loadavg").read().split()[:3]))
    cat_wall = statistics.median(w for w, _ in samples["cat"])
    cat_cpu = statistics.median(c for _, c in samples["cat"])
    for name in names:
        wall = statistics.median(w for w, _ in samples[name])
        cpu = statistics.median(c for _, c in samples[name])
        print(f"{name}: wall {wall * 1000:.1f} ms (x{wall / cat_wall:.1f} cat), "
              f"cpu {cpu * 1000:.1f} ms (x{cpu / max(cat_cpu, 1e-6):.1f} cat)")
    shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
