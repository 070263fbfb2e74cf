#!/usr/bin/env python3
"""Runs two quarvel-gen builds over the same inputs and compares what they write, byte for byte.

    compare_output.py REFERENCE_GEN NEW_GEN [--work DIR] [--quick]

For a change that must not change the output (a refactoring, a speed-up): every golden case
of tests/data/golden with its own arguments, every shape of tests/data/shapes (as
tests/check_shapes.sh makes it a project, every switch on), the demo project first and
unchanged, the synthetic 200 x 100 project of bench/make_project.py (first, unchanged, with
--diff, a dry run, every window renamed and bound) and a project whose runs log a thousand
warnings (first run, then every tenth gadget renamed, kept unbound). Each case runs once
without and once with `--report json`. Both programs run in the same folder, one after the
other on fresh copies, so the paths in the log are the same; the written tree, stdout, stderr
and the exit status must be equal. Prints one line per case and exits 1 on any difference.
"""
import argparse
import filecmp
import os
import shutil
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
DATA = os.path.join(ROOT, "tests", "data")
SWITCHES = ["Parend", "PB_Ignore", "Multilang", "Image_Include", "Image_Null", "UseCallFast", "Utf8"]


def tree(path):
    """Every file under path with its bytes, and every folder, by relative name."""
    files, dirs = {}, set()
    for top, subdirs, names in os.walk(path):
        rel = os.path.relpath(top, path)
        dirs.update(os.path.normpath(os.path.join(rel, d)) for d in subdirs)
        for name in names:
            full = os.path.join(top, name)
            with open(full, "rb") as f:
                files[os.path.normpath(os.path.join(rel, name))] = f.read()
    return files, dirs


def run(gen, args, cwd, env):
    proc = subprocess.run([gen] + args, cwd=cwd, env=env, capture_output=True)
    return proc.returncode, proc.stdout, proc.stderr


def first_difference(a, b):
    for i, (x, y) in enumerate(zip(a.splitlines(), b.splitlines())):
        if x != y:
            return f"line {i + 1}: {x[:160]!r} vs {y[:160]!r}"
    return f"lengths {len(a)} vs {len(b)}"


class Comparison:
    def __init__(self, ref, new, work):
        self.ref, self.new, self.work = ref, new, work
        self.failures = 0
        self.cases = 0

    def case(self, name, source, args, prepare=None):
        """source: a folder copied fresh for each program; prepare(folder): run on each copy
        first with the program (e.g. earlier runs that settle a project)."""
        # --diff and --report json are not given together (a usage error).
        reports = [[]] if "--diff" in args else [[], ["--report", "json"]]
        for report in reports:
            label = name + (" --report json" if report else "")
            results = []
            for gen in (self.ref, self.new):
                place = os.path.join(self.work, "case")
                shutil.rmtree(place, ignore_errors=True)
                shutil.copytree(source, place, symlinks=True)
                env = dict(os.environ, QUARVEL_CONFIG_DIR=os.path.join(place, ".config"))
                if prepare:
                    prepare(gen, place, env)
                full = [a.replace("PROJECT", place) for a in args] + report
                status, out, err = run(gen, full, place, env)
                results.append((status, out, err, tree(place)))
            self.cases += 1
            problems = self.differences(*results)
            if problems:
                self.failures += 1
                print(f"DIFF  {label}")
                for p in problems[:8]:
                    print(f"      {p}")
            else:
                print(f"same  {label} (exit {results[0][0]}, {len(results[0][1].splitlines())} log lines, "
                      f"{len(results[0][3][0])} files)")

    @staticmethod
    def differences(a, b):
        problems = []
        if a[0] != b[0]:
            problems.append(f"exit status {a[0]} vs {b[0]}")
        for what, x, y in (("stdout", a[1], b[1]), ("stderr", a[2], b[2])):
            if x != y:
                problems.append(f"{what}: {first_difference(x, y)}")
        files_a, dirs_a = a[3]
        files_b, dirs_b = b[3]
        if dirs_a != dirs_b:
            problems.append(f"folders differ: {sorted(dirs_a ^ dirs_b)[:5]}")
        for name in sorted(set(files_a) | set(files_b)):
            if name not in files_a or name not in files_b:
                problems.append(f"{name} only in {'reference' if name in files_a else 'new'}")
            elif files_a[name] != files_b[name]:
                problems.append(f"{name}: {first_difference(files_a[name], files_b[name])}")
        return problems


def golden_cases(c):
    root = os.path.join(DATA, "golden")
    for name in sorted(os.listdir(root)):
        with open(os.path.join(root, name, "args")) as f:
            args = [a for a in f.read().split("\n") if a]
        c.case(f"golden/{name}", os.path.join(root, name, "input"), args)


def shape_cases(c):
    root = os.path.join(DATA, "shapes")
    sets = [a for s in SWITCHES for a in ("--set", f"{s}=1")]
    for name in sorted(os.listdir(root)):
        source = os.path.join(root, name)
        if not os.path.isdir(source):
            continue
        sources = sorted(f for f in os.listdir(source) if f.endswith((".pb", ".pbf")))

        def init(gen, place, env, sources=sources):
            if os.path.exists(os.path.join(place, "P.pbm")):
                return  # a project an earlier version made, run as it stands
            subprocess.run([gen, "--init", "P.pbm"] + sources, cwd=place, env=env, check=True,
                           stdout=subprocess.DEVNULL)

        c.case(f"shapes/{name}", source, sets + ["PROJECT/P.pbm"], init)


def settle(times, *extra):
    def prepare(gen, place, env):
        for _ in range(times):
            subprocess.run([gen, *extra, os.path.join(place, "Bench.pbm")], cwd=place, env=env,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return prepare


def bench_cases(c, quick):
    windows, gadgets = (20, 50) if quick else (200, 100)
    source = os.path.join(c.work, "bench-input")
    shutil.rmtree(source, ignore_errors=True)
    subprocess.run([sys.executable, os.path.join(HERE, "make_project.py"), str(windows), str(gadgets), source],
                   check=True)
    size = f"{windows}x{gadgets}"
    c.case(f"bench {size} first", source, ["PROJECT/Bench.pbm"])
    c.case(f"bench {size} unchanged", source, ["PROJECT/Bench.pbm"], settle(2))
    c.case(f"bench {size} unchanged --diff --dry-run", source, ["--diff", "--dry-run", "PROJECT/Bench.pbm"],
           settle(2))

    bound = os.path.join(c.work, "bench-bound")
    binds = [a for w in range(windows) for a in ("--bind", f"Win{w}=Form{w}")]

    def rename(gen, place, env):
        settle(2)(gen, place, env)
        subprocess.run([sys.executable, os.path.join(HERE, "make_project.py"), str(windows), str(gadgets), place,
                        "--window-name", "Form", "--windows-only"], check=True)
    c.case(f"bench {size} bound", source, binds + ["PROJECT/Bench.pbm"], rename)
    c.case(f"bench {size} bound --diff", source, binds + ["--diff", "PROJECT/Bench.pbm"], rename)
    shutil.rmtree(bound, ignore_errors=True)


def write_button_project(place, windows, gadgets, renamed_every):
    """Form files of buttons; the first window's menu names each of 1,000 items twice."""
    files = []
    for w in range(windows):
        text = f"Procedure OpenW{w}()\n  OpenWindow(#W{w}, 0, 0, 640, 480, \"W{w}\")\n"
        if w == 0:
            text += "  CreateMenu(#Menu_W0, WindowID(#W0))\n  MenuTitle(\"Items\")\n"
            text += "".join(f"  MenuItem(#Item_{i % 1000}, \"Item {i % 1000}\")\n" for i in range(2000))
        for i in range(gadgets):
            renamed = renamed_every > 0 and i % renamed_every == renamed_every - 1
            text += (f"  ButtonGadget(#Button_{i}{'Renamed' if renamed else ''}, {10 + i % 10 * 60}, "
                     f"{10 + i // 10 * 30}, 80, 24, \"Button {i}\")\n")
        files.append(f"W{w}.pbf")
        with open(os.path.join(place, files[-1]), "w") as f:
            f.write(text + "EndProcedure\n")
    project = os.path.join(place, "Big.pbm")
    if not os.path.exists(project):
        with open(project, "w") as f:
            f.write("[FILES]\n" + "\n".join(files) + "\n\n[SWITCH]\nParend=1\nPB_Ignore=1\nMultilang=0\n"
                    "Image_Include=0\nImage_Null=0\nUseCallFast=1\nUtf8=1\n")


def warning_cases(c, quick):
    windows, gadgets = (5, 50) if quick else (20, 100)
    source = os.path.join(c.work, "warnings-input")
    shutil.rmtree(source, ignore_errors=True)
    os.makedirs(source)
    write_button_project(source, windows, gadgets, 0)
    c.case("1000 warnings first", source, ["PROJECT/Big.pbm"])

    def renamed(gen, place, env):
        subprocess.run([gen, os.path.join(place, "Big.pbm")], cwd=place, env=env, stdout=subprocess.DEVNULL)
        write_button_project(place, windows, gadgets, 10)
    c.case("1000 warnings renamed, kept unbound", source, ["--keep-unbound", "PROJECT/Big.pbm"], renamed)
    c.case("1000 warnings renamed, unbound", source, ["PROJECT/Big.pbm"], renamed)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("reference")
    parser.add_argument("new")
    parser.add_argument("--work", default="/tmp/quarvel-compare")
    parser.add_argument("--quick", action="store_true", help="small bench projects")
    args = parser.parse_args()
    os.makedirs(args.work, exist_ok=True)
    c = Comparison(os.path.abspath(args.reference), os.path.abspath(args.new), os.path.abspath(args.work))
    golden_cases(c)
    shape_cases(c)
    c.case("demo first", os.path.join(ROOT, "examples", "demo"), ["PROJECT/Demo.pbm"])

    def demo_settled(gen, place, env):
        subprocess.run([gen, os.path.join(place, "Demo.pbm")], cwd=place, env=env, stdout=subprocess.DEVNULL)
    c.case("demo unchanged", os.path.join(ROOT, "examples", "demo"), ["PROJECT/Demo.pbm"], demo_settled)
    bench_cases(c, args.quick)
    warning_cases(c, args.quick)
    print(f"{c.cases - c.failures} of {c.cases} runs identical")
    return 1 if c.failures else 0


if __name__ == "__main__":
    sys.exit(main())
