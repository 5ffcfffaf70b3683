"""Recordings of different zones read at once on several threads give the
same answers as read one at a time."""

import datetime as dt
from concurrent.futures import ThreadPoolExecutor

import pandas as pd

import plovermeta
from conftest import ZONES, write_document


def test_threads_agree_with_one_at_a_time(tmp_path):
    start = dt.datetime(2026, 7, 1, 23, 30, tzinfo=dt.timezone.utc)  # the local date differs by zone
    fixes = [(46.9 + i * 1e-4, 7.4 + i * 1e-4, i) for i in range(600)]
    paths = [write_document(tmp_path / f"{i}.xml", rule, start, fixes) for i, rule in enumerate(ZONES)]

    def read(path):
        rec = plovermeta.open(path)
        return rec.to_pandas(), rec.osd_at(start + dt.timedelta(seconds=299)).sample.number

    alone = [read(p) for p in paths]
    with ThreadPoolExecutor(len(paths)) as pool:
        for _ in range(3):
            together = list(pool.map(read, paths * 2))
            for i, (frame, number) in enumerate(together):
                pd.testing.assert_frame_equal(frame, alone[i % len(paths)][0])
                assert number == 300
    # Every zone puts the first sample at the same instant.
    assert {frame["time"].iloc[0] for frame, _ in alone} == {pd.Timestamp(start)}
