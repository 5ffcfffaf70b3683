#!/usr/bin/env bash
# Counts non-blank, non-comment lines of the tests (tests/, fuzz/) against the
# code of the library and the tool (every other tracked source file; benchmarks,
# scripts, cmake helpers and the planted-fault script in tests/mutations
# left out).  C++ (.cpp .h), Python, JavaScript
# and shell are counted.
#
#   scripts/count-lines.sh        totals and the ratio
#   scripts/count-lines.sh -v     one line per file as well
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -- '*.cpp' '*.h' '*.c' '*.py' '*.js' '*.mjs' '*.sh' | python3 -c '
import re, sys
verbose = sys.argv[1:] == ["-v"]
skip = ("bench/", "scripts/", "cmake/", "tests/mutations/")
def count(path):
    text = open(path, encoding="utf-8", errors="replace").read()
    if path.endswith((".cpp", ".h", ".c", ".js", ".mjs")):
        # Strings first so that a // or /* inside one is not taken for a comment.
        text = re.sub(r"\"(\\.|[^\"\\\n])*\"|/\*.*?\*/|//[^\n]*",
                      lambda m: m.group(0) if m.group(0)[0] == "\"" else "\n" * m.group(0).count("\n"),
                      text, flags=re.S)
        lines = text.splitlines()
    else:
        lines = [l for l in text.splitlines() if not l.strip().startswith("#")]
    return sum(1 for l in lines if l.strip())
totals = {"tests": 0, "code": 0}
for path in sys.stdin.read().split():
    if path.startswith(skip):
        continue
    kind = "tests" if path.startswith(("tests/", "fuzz/")) else "code"
    n = count(path)
    totals[kind] += n
    if verbose:
        print(f"{n:6d} {kind:5s} {path}")
t, c = totals["tests"], totals["code"]
print(f"tests {t} lines, code {c} lines: tests are {100 * t / c:.0f} % of the code")
' "$@"
