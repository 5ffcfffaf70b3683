#!/usr/bin/env python3
"""Plants the faults of faults.txt one at a time and tells which the tests catch.

    tests/mutations/run.py [ID...]      every fault, or only those named

The tree (tracked and untracked files, as they are now, or the folder named
by $MUTATION_SOURCE, e.g. an unpacked older commit) is copied to
build/mutations/src (or $MUTATION_DIR/src); a native build there is rebuilt
incrementally for each fault and ctest runs.  A fault is "caught" when a test
fails, "not caught" when all pass, "did not apply" when its text is not found
exactly once (the code changed), "did not build" when the build fails.  The
file is restored after each fault.  Results go to stdout and results.txt.
"""
import os
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
WORK = Path(os.environ.get("MUTATION_DIR", ROOT / "build" / "mutations"))
SRC, BUILD = WORK / "src", WORK / "build"
SOURCE = Path(os.environ.get("MUTATION_SOURCE", ROOT)).resolve()
JOBS = os.environ.get("JOBS", "2")
SLOW = "hostile_input_test|plovermeta_test"


def faults():
    blocks = (ROOT / "tests/mutations/faults.txt").read_text().split("\n\n")
    for block in blocks:
        lines = [l for l in block.splitlines() if not l.startswith("#")]
        if len(lines) != 4:
            continue
        title, path, old, new = lines
        assert old.startswith("- ") and new[:1] == "+", block
        yield title.split()[0], title, path, old[2:].replace("<NL>", "\n"), new[2:].replace("<NL>", "\n")


def sync():
    """Copies changed files only, with a fresh time, so the build stays incremental."""
    if SOURCE == ROOT:
        listed = subprocess.run(["git", "ls-files", "-co", "--exclude-standard"], cwd=ROOT, check=True,
                                capture_output=True, text=True).stdout.split("\n")
    else:
        listed = [str(p.relative_to(SOURCE)) for p in SOURCE.rglob("*") if p.is_file()]
    for name in filter(None, listed):
        source, target = SOURCE / name, SRC / name
        if not source.is_file():
            continue
        data = source.read_bytes()
        if not target.is_file() or target.read_bytes() != data:
            target.parent.mkdir(parents=True, exist_ok=True)
            target.write_bytes(data)


def run(args, log):
    with open(log, "a") as out:
        return subprocess.run(args, stdout=out, stderr=subprocess.STDOUT).returncode == 0


def main(wanted):
    sync()
    if not (BUILD / "build.ninja").exists():
        run(["cmake", "-S", SRC, "-B", BUILD, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=", "-DCMAKE_CXX_FLAGS=-O0"],
            WORK / "configure.log")
    build = ["cmake", "--build", BUILD, "-j", JOBS]
    test = ["ctest", "--test-dir", BUILD, "-j", JOBS, "--timeout", "300"]
    if not run(build, WORK / "build.log") or not run(test, WORK / "ctest.log"):
        sys.exit(f"the unchanged tree does not build or pass: see {WORK}")
    results = []
    for ident, title, path, old, new in faults():
        if wanted and ident not in wanted:
            continue
        target = SRC / path
        text = target.read_bytes().decode() if target.is_file() else ""
        if text.count(old) != 1:
            verdict = "did not apply"
        else:
            target.write_bytes(text.replace(old, new).encode())
            log = WORK / f"{ident}.log"
            if not run(build, log):
                verdict = "did not build"
            else:
                # The quick programs first: most faults fail there, and the
                # slow ones (the tool run as a process, the memory bounds) only
                # run when they pass.
                quick = run(test + ["-E", SLOW, "--stop-on-failure"], log)
                verdict = "not caught" if quick and run(test + ["-R", SLOW, "--stop-on-failure"], log) else "caught"
            target.write_bytes(text.encode())  # a fresh time: the next build compiles it again
        results.append(f"{verdict:14s} {title}")
        print(results[-1], flush=True)
    run(build, WORK / "build.log")
    counts = {v: sum(r.startswith(v) for r in results) for v in ("caught", "not caught", "did not")}
    summary = f"{counts['caught']} caught, {counts['not caught']} not caught, {counts['did not']} did not apply or build"
    print(summary)
    (WORK / "results.txt").write_text("\n".join(results + [summary]) + "\n")


if __name__ == "__main__":
    WORK.mkdir(parents=True, exist_ok=True)
    main(set(sys.argv[1:]))
