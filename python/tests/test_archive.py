"""A generated archive of a few hundred recordings on a local Dask cluster of
two workers: one partition per recording, bad files reported and passed over,
and the example's question answered."""

import datetime as dt
import importlib.util
import random

import pandas as pd
import pytest

from conftest import ROOT, ZONES, write_document

distributed = pytest.importorskip("distributed")
from plovermeta import archive  # noqa: E402

POINT = (46.948, 7.4474)
START = dt.datetime(2026, 5, 4, 8, 0, tzinfo=dt.timezone.utc)
WINDOW = (START, START + dt.timedelta(hours=2))
VEHICLES, DAYS, SAMPLES = 30, 10, 12


def _load_example():
    found = importlib.util.spec_from_file_location("near_point", ROOT / "examples" / "archive" / "near_point.py")
    module = importlib.util.module_from_spec(found)
    found.loader.exec_module(module)
    return module


near_point = _load_example()


@pytest.fixture(scope="module")
def fleet(tmp_path_factory):
    """VEHICLES x DAYS documents in vehicle/day folders and three bad files.
    Every 7th recording passes the point: every other one of those within the
    window, at known speeds.  Returns the root, the recordings expected near
    the point with their speeds, and the bad files."""
    root = tmp_path_factory.mktemp("fleet")
    rng = random.Random(7)
    expected = {}
    for v in range(VEHICLES):
        for d in range(DAYS):
            i = v * DAYS + d
            start = START + dt.timedelta(days=d - DAYS // 2, minutes=rng.randrange(-60, 180))
            near = i % 7 == 0
            if near:
                start = WINDOW[0] + dt.timedelta(minutes=30 if i % 14 == 0 else 150)
            base = POINT if near else (POINT[0] + 0.2 + v * 0.01, POINT[1] - 0.1)
            fixes = [None] + [(base[0] + (k - 6) * 0.0005, base[1], 40 + k) for k in range(1, SAMPLES)]
            path = root / f"car-{v:02}" / f"day-{d}" / f"{i:04}.xml"
            write_document(path, list(ZONES)[i % len(ZONES)], start, fixes)
            if near and i % 14 == 0:
                # 0.0005 degrees of latitude is 55.6 m: samples 3 to 9 lie within 200 m.
                expected[str(path)] = [40 + k for k in range(1, SAMPLES) if abs(k - 6) * 55.6 <= 200]
    text = (ROOT / "examples" / "recording" / "20260314_100000.xml").read_bytes()
    bad = {root / "car-00" / "cut.xml": text[: len(text) // 2], root / "car-01" / "junk.bin": b"\x07" * 300,
           root / "car-02" / "empty.xml": b""}
    for path, data in bad.items():
        path.write_bytes(data)
    return root, expected, sorted(str(p) for p in bad)


@pytest.fixture(scope="module")
def client():
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, dashboard_address=None) as cluster:
        with distributed.Client(cluster) as c:
            yield c


def test_archive_on_cluster(fleet, client):
    root, expected, bad = fleet
    arc = archive.open(root)
    assert len(arc) == arc.frame.npartitions == VEHICLES * DAYS + len(bad)
    counts, problems = arc.compute(arc.frame.groupby("recording").size())
    # The cut-off document is read up to its last complete sample, and reported.
    assert len(counts) == VEHICLES * DAYS + 1 and set(counts.drop(bad[0])) == {SAMPLES} and 0 < counts[bad[0]] < 180
    assert sorted(problems["recording"]) == bad
    assert set(problems["error"]) == {"CutOff", "UnknownForm"}

    near = near_point.near_samples(arc.frame, *POINT, 200, *WINDOW)
    table = near_point.summary(near.compute())
    assert sorted(table.index) == sorted(expected)
    for path, speeds in expected.items():
        row = table.loc[path]
        assert (row["samples"], row["min_speed"], row["max_speed"]) == (len(speeds), min(speeds), max(speeds))
        assert row["closest_m"] < 1


def test_example_command_on_a_scheduler(fleet, client, capsys):
    root, expected, bad = fleet
    lat, lon = POINT
    table, problems = near_point.main([str(root), "--lat", str(lat), "--lon", str(lon), "--from",
                                       WINDOW[0].isoformat(), "--to", WINDOW[1].isoformat(),
                                       "--scheduler", client.scheduler.address])
    out, err = capsys.readouterr()
    assert out.startswith(f"{len(expected)} of {VEHICLES * DAYS + len(bad)} recordings within 200 m")
    said = [line.split(" ", 1)[0] for line in err.splitlines()]
    assert said.count("skipped") == len(bad) - 1 and said.count("read") == 1 and len(problems) == len(bad)


def test_list_of_paths_and_types():
    paths = [ROOT / "examples" / "recording" / "20260314_100000.xml", ROOT / "examples" / "recording" / "nope.xml"]
    arc = archive.open(paths)
    frame, problems = arc.compute(arc.frame)
    assert len(frame) == 180 and list(problems["error"]) == ["NoSuchFile"]
    assert list(map(str, frame.dtypes)) == list(map(str, archive.empty_frame().dtypes))
    assert isinstance(frame["time"].dtype, pd.DatetimeTZDtype)
