"""A recording through the Python package: every form, the same values as
the command-line tool's play, tables, moments, errors."""

import datetime as dt
import math
import re
import subprocess

import numpy as np
import pandas as pd
import pytest

import plovermeta
from conftest import DOCUMENT, EXAMPLE, tool, write_document

UTC = dt.timezone.utc
FILES = {
    "document": "20260314_100000.xml",
    "text": "20260314_100000_M2.txt",
    "container": "20260314_100000_M2.dat",
    "binary": "20260314_100100.bin",
    "vtt": "20260314_100000.vtt",
}


def play(path):
    """The tool's play output as one dict per sample (or cue)."""
    out = subprocess.run([tool(), "play", str(path)], capture_output=True, text=True, check=True).stdout
    blocks = []
    for block in out.strip().split("\n\n"):
        b = {}
        for line in block.splitlines():
            name, _, value = line.partition(" ")
            b.setdefault(name, value.strip())
        blocks.append(b)
    return blocks


def played_time(text):
    m = re.search(r"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3}) UTC([+-]\d\d):(\d\d)", text)
    offset = dt.timedelta(hours=int(m[2]), minutes=int(m[3]) * (1 if m[2][0] == "+" else -1))
    return dt.datetime.fromisoformat(m[1]).replace(tzinfo=dt.timezone(offset)).astimezone(UTC)


@pytest.mark.parametrize("form", ["document", "text", "container", "binary"])
def test_samples_match_play(form):
    rec = plovermeta.open(EXAMPLE / FILES[form])
    blocks = play(EXAMPLE / FILES[form])
    samples = rec.samples()
    assert rec.form == form and len(samples) == len(blocks) == len(rec) > 0
    for s, b in zip(samples, blocks):
        assert s.time == played_time(b["sample"]), b["sample"]
        assert f"(TS {s.ts})" in b["sample"]
        if s.latitude is None:
            assert "no readable position" in b["position"]
        else:
            assert b["position"].endswith(f"= {s.latitude:.6f}, {s.longitude:.6f}")
        assert b["own"].split()[0] == f"{s.own_speed:g}"
        if "speeds" in b:
            assert re.findall(r"\d: (\S+)", b["speeds"]) == [f"{v:g}" for v in s.speeds]
        on = re.search(r"inputs? on: ([\d, ]+)", b["status"])
        assert b["status"].split()[0] == s.status
        assert s.inputs_on == ([int(n) for n in on[1].split(",")] if on else [])
        assert b["file"].endswith(s.file_name)


def test_cues_match_play():
    rec = plovermeta.open(EXAMPLE / FILES["vtt"])
    cues, blocks = rec.samples(), play(EXAMPLE / FILES["vtt"])
    assert len(cues) == len(blocks) == 180
    for c, b in zip(cues, blocks):
        start, end = b["cue"].split(" --> ")
        assert (c.start, c.end) == (_play(start), _play(end))
        assert c.time is None and c.lines[0] == b["text"]


def _play(text):
    h, m, s = text.split(":")
    return dt.timedelta(hours=int(h), minutes=int(m), seconds=float(s))


def test_frame_types_and_values():
    rec = plovermeta.open(DOCUMENT)
    frame, samples = rec.to_pandas(), rec.samples()
    assert len(frame) == len(samples) == 180
    assert str(frame["time"].dtype) == "datetime64[ns, UTC]" and frame["written"].dtype == "datetime64[ns]"
    for column in ["latitude", "longitude", "own_speed", "speed_1", "speed_5", "altitude", "temperature_1"]:
        assert frame[column].dtype == np.float64, column
    assert all(frame[f"input_{n}"].dtype == bool for n in range(1, plovermeta.INPUTS + 1))
    assert isinstance(frame["status"].dtype, pd.CategoricalDtype)
    # The bulk path and the records agree row by row.
    assert list(frame["time"]) == [s.time for s in samples]
    assert list(frame["ts"]) == [s.ts for s in samples]
    assert [x if not math.isnan(x) else None for x in frame["latitude"]] == [s.latitude for s in samples]
    assert list(frame["speed_2"]) == [s.speeds[1] for s in samples]
    on = frame[[f"input_{n}" for n in range(1, 25)]].to_numpy()
    assert [list(np.flatnonzero(row) + 1) for row in on] == [s.inputs_on for s in samples]
    assert frame["latitude"].isna().sum() == 3  # the first three have no fix

    held = plovermeta.from_bytes(DOCUMENT.read_bytes(), "held.xml").to_pandas()
    pd.testing.assert_frame_equal(held.drop(columns="file_name"), frame.drop(columns="file_name"))
    assert set(held["file_name"]) == {"held.xml"}

    track = plovermeta.open(EXAMPLE / FILES["vtt"]).to_pandas()
    assert track["start"].dtype == "timedelta64[ns]" and track["end"].iloc[0] == pd.Timedelta(seconds=1)


def test_geopandas():
    gpd = pytest.importorskip("geopandas")
    frame = plovermeta.open(DOCUMENT).to_geopandas()
    assert isinstance(frame, gpd.GeoDataFrame) and frame.crs.to_epsg() == 4326
    assert frame.geometry.isna().sum() == 3
    assert frame.geometry.iloc[5].y == pytest.approx(46.948) and frame.geometry.iloc[5].x == pytest.approx(7.4474)


@pytest.mark.parametrize(
    "form, when, before, expected_ts",
    [
        ("document", "2026-03-14 10:01:10", False, "2026/03/14 10:01:10.000"),
        ("document", dt.datetime(2026, 3, 14, 10, 1, 10, 500000), False, "2026/03/14 10:01:11.000"),
        ("document", dt.datetime(2026, 3, 14, 10, 1, 10, 500000), True, "2026/03/14 10:01:10.000"),
        ("document", dt.datetime(2026, 3, 14, 19, 1, 10, tzinfo=dt.timezone(dt.timedelta(hours=9))), False,
         "2026/03/14 10:01:10.000"),
        ("document", pd.Timestamp("2026-03-14 10:02:59", tz="UTC"), False, "2026/03/14 10:02:59.000"),
        ("document", "2026-03-14 10:03:00", False, None),
        ("document", "2026-03-14 09:00:00", True, None),
        ("text", "2026/03/14 10:00:30", False, "2026/03/14 10:00:30"),
        ("vtt", dt.timedelta(seconds=2.5), False, ""),
    ],
)
def test_osd_at(form, when, before, expected_ts):
    osd = plovermeta.open(EXAMPLE / FILES[form]).osd_at(when, before)
    if expected_ts is None:
        assert osd is None
    else:
        assert osd.sample.ts == expected_ts
        if form == "vtt":
            assert osd.sample.start == dt.timedelta(seconds=2)
        else:
            assert osd.speed_unit == "km/h"


def test_osd_by_index_logins_and_settings():
    text = plovermeta.open(EXAMPLE / FILES["text"])
    assert text.osd_at(index=31).sample.number == 31
    assert text.file_info()["unit_name"] == "Traffic 3"

    rec = plovermeta.open(DOCUMENT)
    logins = rec.logins()
    assert [l.time for l in logins] == [dt.datetime(2026, 3, 14, 9, 58, 12, tzinfo=UTC),
                                        dt.datetime(2026, 3, 14, 10, 1, 5, tzinfo=UTC)]
    assert [o["display"] for o in logins[1].officers] == ["P-1042 Ada M Okafor", "P-2210 Tomas Lindqvist"]
    assert rec.osd_at("2026-03-14 10:01:04").officers == "P-1042 Ada M Okafor"
    assert rec.osd_at("2026-03-14 10:01:05").login.fields[:2] == ["Shift B", "Traffic 3"]
    settings = rec.settings()
    assert settings["time_zone_rule"] == "UTC0" and settings["camera_id"] == "CAR-12"
    assert [c["name"] for c in settings["cameras"]] == ["Front", "Cabin", "Rear", "Left", "Right"]
    assert settings["inputs"][0]["icon"] == "LIGHTS" and rec.device()["model"] == "VR-5200"
    assert rec.files(0, 1) == ["20260314_100000_CH1.mp4", "20260314_100130_CH1.mp4"]


def test_zones(tmp_path):
    path = write_document(tmp_path / "tokyo.xml", "JST-9", dt.datetime(2026, 3, 14, 1, 0, tzinfo=UTC), [None] * 2)
    own = plovermeta.open(path)
    assert (own.time_zone, own.zone_origin) == ("JST-9", "recording")
    assert own.sample(0).time == dt.datetime(2026, 3, 14, 1, 0, tzinfo=UTC)
    assert own.sample(0).written == dt.datetime(2026, 3, 14, 10, 0)
    moved = plovermeta.open(path, zone="+01:00")
    assert moved.zone_origin == "override" and moved.sample(0).time == dt.datetime(2026, 3, 14, 9, 0, tzinfo=UTC)
    assert moved.osd_at(dt.datetime(2026, 3, 14, 9, 0, 1, tzinfo=UTC)).sample.number == 2


def tool_message(*args):
    return subprocess.run([tool(), *args], capture_output=True, text=True).stderr


@pytest.mark.parametrize(
    "call, error, tool_args",
    [
        (lambda p: plovermeta.open(p / "missing.xml"), plovermeta.NoSuchFile, ["info", "{p}/missing.xml"]),
        (lambda p: plovermeta.open(p), plovermeta.NoSuchFile, ["info", "{p}"]),
        (lambda p: plovermeta.open(_write(p / "junk.bin", b"\x01" * 100)), plovermeta.UnknownForm,
         ["info", "{p}/junk.bin"]),
        (lambda p: plovermeta.open(_write(p / "cut.dat", b"junk" * 10), form="container"), plovermeta.Refused,
         ["info", "--form", "container", "{p}/cut.dat"]),
        (lambda p: plovermeta.open(DOCUMENT, form="pdf"), plovermeta.BadArgument, None),
        (lambda p: plovermeta.open(DOCUMENT, zone="Mars/Olympus"), plovermeta.BadTimeZone, None),
        (lambda p: plovermeta.open(DOCUMENT).sample(180), plovermeta.BadArgument, None),
        (lambda p: plovermeta.open(DOCUMENT).osd_at("noon"), plovermeta.BadArgument, None),
        (lambda p: plovermeta.open(DOCUMENT).osd_at(12), plovermeta.BadArgument, None),
        (lambda p: plovermeta.open(DOCUMENT).files(7, 1), plovermeta.BadArgument, None),
    ],
)
def test_errors(tmp_path, call, error, tool_args):
    with pytest.raises(error) as caught:
        call(tmp_path)
    assert isinstance(caught.value, plovermeta.Error) and str(caught.value)
    if tool_args:
        # The tool may add how to act on the command line after the reason.
        assert str(caught.value).split(" (")[0] in tool_message(*[a.format(p=tmp_path) for a in tool_args])


def _write(path, data):
    path.write_bytes(data)
    return path
