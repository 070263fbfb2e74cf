#!/usr/bin/env python3
"""Runs clang-tidy with the checks of .clang-tidy over the sources of src/; fails on any new finding.

    scripts/check_tidy.sh [BUILD_DIR] [FILE...]     (default: build, every src/*.cpp)

The compile commands are BUILD_DIR's compile_commands.json; a configured tree is enough. Without
FILE arguments the files of each library are checked in one run of clang-tidy, included into one
file, so that the Qt headers are parsed and walked once a library rather than once a file; a
finding still names the file and line it is in. On the 102 files of src/ that took 110 s of CPU
against 569 s one file a run (2 cores). Files given by name are checked one by one.

A run's output is kept in BUILD_DIR/tidy-cache under a hash of everything the run reads (the
sources and headers after the preprocessor, comments kept for NOLINT, the flags, the checks and
clang-tidy's version), so what was checked unchanged is not checked again. A fresh tree has no
cache and checks everything.
"""
import concurrent.futures
import hashlib
import json
import os
import re
import shlex
import subprocess
import sys

ROOT = os.path.realpath(os.path.join(os.path.dirname(__file__), ".."))
KNOWN_FILE = "scripts/tidy_known_findings.txt"
FINDING = re.compile(r"^/[^ ]+:[0-9]+:[0-9]+: (warning|error):")
# The compiler's warnings are the build's business, not this check's; the compile commands may be
# gcc's, whose own warning options clang does not know.
EXTRA_ARGS = ["-Wno-unknown-warning-option", "-Wno-error"]
# Checks that look only at the file clang-tidy was given, not at the files it includes, and the
# text that makes a file worth a run of its own for them. (A file with a fault for each check of
# .clang-tidy, checked alone and included into another, gave the same findings but this one.)
MAIN_FILE_CHECKS = {"misc-unused-alias-decls": re.compile(r"\bnamespace\s+\w+\s*=")}


def fail(message, status=2):
    print(f"check_tidy: {message}", file=sys.stderr)
    sys.exit(status)


def without_precompiled_headers(args):
    """The compile command without the build's precompiled header, which is gcc's and which
    clang cannot read; each file is checked with the includes it writes itself."""
    out, i = [], 0
    while i < len(args):
        if args[i] == "-Winvalid-pch":
            i += 1
        elif args[i] in ("-include", "-include-pch") and i + 1 < len(args) and "cmake_pch" in args[i + 1]:
            i += 2
        elif (args[i] == "-Xclang" and i + 3 < len(args) and args[i + 1] in ("-include", "-include-pch")
              and "cmake_pch" in args[i + 3]):
            i += 4
        else:
            out.append(args[i])
            i += 1
    return out


def compile_commands(build):
    """Source path -> (directory, arguments without output and precompiled header, target name)."""
    path = os.path.join(build, "compile_commands.json")
    if not os.path.isfile(path):
        fail(f"no {path}; configure first (make configure)")
    commands = {}
    for entry in json.load(open(path)):
        args = entry["arguments"] if "arguments" in entry else shlex.split(entry["command"])
        source = os.path.realpath(os.path.join(entry["directory"], entry["file"]))
        output = args[args.index("-o") + 1] if "-o" in args else ""
        target = re.search(r"CMakeFiles/([^/]+)\.dir/", output)
        kept, i = [], 0
        while i < len(args):
            if args[i] == "-o":
                i += 2
                continue
            if args[i] != "-c":
                kept.append(args[i])
            i += 1
        commands[source] = (entry["directory"], without_precompiled_headers(kept),
                            target.group(1) if target else os.path.dirname(source))
    return commands


def with_source(args, old, new):
    """The arguments with the source file `old` replaced by `new`."""
    out = [new if os.path.realpath(a) == old else a for a in args]
    if new not in out:
        fail(f"the compile command of {old} does not name it")
    return out


class Run:
    """One run of clang-tidy over one file: a source of src/ or a file including several."""

    def __init__(self, file, directory, args, checks=None):
        self.file, self.directory, self.args, self.checks = file, directory, args, checks
        self.output, self.checked, self.cached, self.key_used = "", False, False, None

    def tidy_command(self, database):
        # The configuration is named: clang-tidy looks for it from the file checked upwards, and
        # the files that include a library's sources are in the build tree.
        command = ["clang-tidy", "-p", database, f"--config-file={ROOT}/.clang-tidy", "--quiet",
                   f"--header-filter=^{ROOT}/src/"]
        command += [f"--extra-arg={a}" for a in EXTRA_ARGS]
        if self.checks:
            command.append(f"--checks={self.checks}")
        return command + [self.file]

    def key(self, salt, command):
        """A hash of what the run reads, or None when the preprocessor cannot tell."""
        preprocess = ["clang++"] + self.args[1:] + EXTRA_ARGS + ["-E", "-C", "-o", "-"]
        result = subprocess.run(preprocess, cwd=self.directory, capture_output=True)
        if result.returncode != 0:
            return None
        digest = hashlib.sha256(salt)
        digest.update("\0".join(command + self.args).encode())
        digest.update(result.stdout)
        return digest.hexdigest()


def run_one(run, database, cache, salt):
    command = run.tidy_command(database)
    key = run.key_used = run.key(salt, command)
    stored = os.path.join(cache, key + ".log") if key else None
    if stored and os.path.isfile(stored):
        run.output, run.checked, run.cached = open(stored, encoding="utf-8").read(), True, True
        return run
    result = subprocess.run(command, cwd=ROOT, capture_output=True, text=True)
    run.output = result.stdout + result.stderr
    # A run that failed without a finding did not check its file (no compile command, a crash).
    run.checked = result.returncode == 0 or any(FINDING.match(l) for l in run.output.splitlines())
    if stored and run.checked:
        with open(stored + ".new", "w", encoding="utf-8") as f:
            f.write(run.output)
        os.replace(stored + ".new", stored)
    return run


def plan(files, commands, work, whole_tree):
    """The runs that check `files`: per library in a whole-tree check, else one per file."""
    missing = [f for f in files if f not in commands]
    if missing:
        fail("no compile command for " + ", ".join(os.path.relpath(f, ROOT) for f in missing))
    if not whole_tree:
        return [Run(f, commands[f][0], commands[f][1]) for f in files]
    libraries = {}
    for f in files:
        libraries.setdefault(commands[f][2], []).append(f)
    runs = []
    enabled = set(subprocess.run(["clang-tidy", "--list-checks", f"--config-file={ROOT}/.clang-tidy"],
                                 cwd=ROOT, capture_output=True, text=True).stdout.split())
    for target, members in sorted(libraries.items()):
        directory, args, _ = commands[members[0]]
        if len(members) == 1:
            runs.append(Run(members[0], directory, args))
            continue
        # Files of one target share their flags. The sanitizer trees of `make check` compile
        # them included into one file as well, so their names do not clash.
        unity = os.path.join(work, os.path.basename(target) + ".cpp")
        text = "// Written by scripts/check_tidy.py: the files of one run of clang-tidy.\n"
        text += "".join(f'#include "{f}"\n' for f in members)
        if not os.path.isfile(unity) or open(unity).read() != text:
            with open(unity, "w") as out:
                out.write(text)
        runs.append(Run(unity, directory, with_source(args, members[0], unity)))
        for check, pattern in MAIN_FILE_CHECKS.items():
            for f in members:
                if check in enabled and pattern.search(open(f, encoding="utf-8", errors="replace").read()):
                    runs.append(Run(f, commands[f][0], commands[f][1], checks=f"-*,{check}"))
    return runs


def main():
    os.chdir(ROOT)
    build = os.path.realpath(sys.argv[1] if len(sys.argv) > 1 else "build")
    named = [os.path.realpath(f) for f in sys.argv[2:]]
    files = named or sorted(os.path.realpath(os.path.join(d, f)) for d, _, fs in os.walk("src")
                            for f in fs if f.endswith(".cpp"))
    commands = compile_commands(build)

    cache = os.path.join(build, "tidy-cache")
    work = os.path.join(cache, "unity")
    os.makedirs(work, exist_ok=True)
    runs = plan(files, commands, work, not named)
    database = os.path.join(cache, "db")
    os.makedirs(database, exist_ok=True)
    with open(os.path.join(database, "compile_commands.json"), "w") as f:
        json.dump([{"directory": r.directory, "arguments": r.args, "file": r.file} for r in runs], f, indent=1)

    version = subprocess.run(["clang-tidy", "--version"], capture_output=True).stdout
    salt = version + open(".clang-tidy", "rb").read()
    workers = len(os.sched_getaffinity(0))
    with concurrent.futures.ThreadPoolExecutor(workers) as pool:
        done = list(pool.map(lambda r: run_one(r, database, cache, salt), runs))

    if not named:  # outputs no run of the whole tree reads any longer
        used = {f"{r.key_used}.log" for r in done}
        for name in os.listdir(cache):
            if name.endswith(".log") and name not in used:
                os.remove(os.path.join(cache, name))
    for run in done:
        if not run.checked:
            print(run.output, file=sys.stderr)
            fail(f"clang-tidy could not check {os.path.relpath(run.file, ROOT)}")

    # One line per finding, with paths from the repository's top.
    findings = sorted({l.replace(ROOT + "/", "", 1) for r in done for l in r.output.splitlines()
                       if FINDING.match(l)})
    known_keys = set(open(KNOWN_FILE).read().splitlines())
    new, known = [], []
    for finding in findings:
        check = re.search(r"\[([^],]+)[],]", finding)
        key = f"{finding.split(':')[0]} [{check.group(1) if check else ''}]"
        (known if key in known_keys else new).append(finding)

    cached = sum(r.cached for r in done)
    runs_text = f"{len(done)} run(s) of clang-tidy, {cached} from the cache"
    if known:
        print(f"check_tidy: {len(known)} known finding(s) still waiting, see {KNOWN_FILE}")
    if new:
        print("\n".join(new))
        fail(f"{len(new)} finding(s) in {len(files)} files ({runs_text})", 1)
    print(f"check_tidy: {len(files)} files, no new finding ({runs_text})")


if __name__ == "__main__":
    main()
