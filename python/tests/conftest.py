"""Shared test material: the bundled example, the command-line tool, and a
writer of small metadata documents for generated archives."""

import datetime as dt
import os
import shutil
import time
from pathlib import Path

import pytest

# Binary records name no zone and are read in the machine's: fix it, for this
# process, the tool and the cluster's workers alike.
os.environ["TZ"] = "UTC0"
time.tzset()

ROOT = Path(__file__).resolve().parents[2]
EXAMPLE = ROOT / "examples" / "recording"
DOCUMENT = EXAMPLE / "20260314_100000.xml"

# Zone rules and their standard offsets east of UTC, in hours.
ZONES = {"UTC0": 0, "JST-9": 9, "EST5EDT,M3.2.0,M11.1.0": -5, "<+0330>-3:30": 3.5, "CET-1": 1}


def tool():
    """The command-line tool: PLOVERMETA_TOOL, else plovermeta on PATH."""
    path = os.environ.get("PLOVERMETA_TOOL") or shutil.which("plovermeta")
    if not path:
        pytest.skip("the command-line tool is not built (set PLOVERMETA_TOOL)")
    return path


def _head(rule):
    """The example's recorder, settings and log-ins with another zone rule."""
    text = DOCUMENT.read_text()
    head = text[: text.index("<P-Info>") + len("<P-Info>\n")]
    return head.replace("<Rule>UTC0</Rule>", f"<Rule>{rule}</Rule>")


def write_document(path, rule, start_utc, fixes, status="000000000000000000000000"):
    """A document of one sample a second from start_utc (aware): fixes are
    (latitude, longitude, speed) in decimal degrees and km/h, None for no fix.
    Times are written as the wall clock of `rule`."""
    written = start_utc.astimezone(dt.timezone.utc).replace(tzinfo=None) + dt.timedelta(hours=ZONES[rule])
    parts = [_head(rule)]
    for n, fix in enumerate(fixes, 1):
        ts = (written + dt.timedelta(seconds=n - 1)).strftime("%Y/%m/%d %H:%M:%S.000")
        lat, lon, speed = fix if fix else ("--", "--", 0)
        if fix:
            lat = f"{abs(lat):.6f}{'N' if lat >= 0 else 'S'}"
            lon = f"{abs(lon):.6f}{'E' if lon >= 0 else 'W'}"
        speeds = "".join(f'<Speed id="{i}">{speed if i == 1 else 0}</Speed>\n' for i in range(1, 6))
        parts.append(
            f'<Index no="{n}">\n<TS>{ts}</TS>\n<G-STAT>{status}</G-STAT>\n<GPS>\n<Latitude>{lat}</Latitude>\n'
            f"<Longitude>{lon}</Longitude>\n<Own>{speed}</Own>\n</GPS>\n<Radar>\n{speeds}</Radar>\n</Index>\n"
        )
    parts.append("</P-Info>\n</MetaData>\n")
    Path(path).parent.mkdir(parents=True, exist_ok=True)
    Path(path).write_text("".join(parts))
    return path
