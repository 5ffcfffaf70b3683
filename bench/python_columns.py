"""How fast the Python package hands a 10-hour recording (360 000 samples,
10 Hz) to Python: intake, the bulk columns, the pandas table, and records one
by one for comparison.

    python3 bench/python_columns.py [SAMPLES]      # with plovermeta installed

The document is the bundled example's samples repeated with new times and
numbers, written to a temporary file.  Prints CPU seconds (the best of three
runs; one for the slow ones) and samples per second.
"""

import os
import re
import sys
import tempfile
import time
from pathlib import Path

import plovermeta

EXAMPLE = Path(__file__).resolve().parents[1] / "examples" / "recording" / "20260314_100000.xml"


def ten_hour_document(path, samples):
    text = EXAMPLE.read_text()
    head, body = text.split("<P-Info>\n", 1)
    elements = re.findall(r'<Index no="\d+">\n<TS>[^<]*</TS>(.*?</Index>\n)', body, re.S)
    start = 1773482400  # 2026-03-14 10:00:00 as written
    with open(path, "w") as out:
        out.write(head + "<P-Info>\n")
        for n in range(samples):
            t = time.gmtime(start + n // 10)
            ts = time.strftime("%Y/%m/%d %H:%M:%S", t) + f".{n % 10}00"
            out.write(f'<Index no="{n + 1}">\n<TS>{ts}</TS>{elements[n % len(elements)]}')
        out.write("</P-Info>\n</MetaData>\n")


def timed(what, samples, call, repeat=3):
    best = min(_once(call) for _ in range(repeat))
    print(f"{what:<34} {best:8.3f} s CPU {samples / best:14,.0f} samples/s")


def _once(call):
    t = time.process_time()
    call()
    return time.process_time() - t


def main():
    samples = int(sys.argv[1]) if len(sys.argv) > 1 else 360_000
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "ten_hours.xml")
        ten_hour_document(path, samples)
        print(f"{samples} samples, {os.path.getsize(path) / 1e6:.0f} MB document")
        rec = plovermeta.open(path)
        assert len(rec) == samples, len(rec)
        timed("open (library intake and columns)", samples, lambda: plovermeta.open(path), repeat=1)
        timed("columns() (NumPy arrays)", samples, rec.columns)
        timed("to_pandas()", samples, rec.to_pandas)
        timed("samples() (one record each)", samples, rec.samples, repeat=1)


if __name__ == "__main__":
    main()
