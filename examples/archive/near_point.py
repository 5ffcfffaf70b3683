"""Which recordings were within a distance of a point between two times, and
at what speeds?

    python3 examples/archive/near_point.py ARCHIVE --lat 46.948 --lon 7.4569 \\
        --from "2026-03-14 10:00Z" --to "2026-03-14 11:00Z" [--radius 200] \\
        [--workers 2 | --scheduler tcp://host:8786]

ARCHIVE is a folder tree of recordings (or several files).  The samples are
filtered on the Dask workers, one partition per recording; only the samples
near the point come back, and are summed up per recording here.  Files that
do not read are listed on stderr; they never stop the run.
"""

import argparse
import sys

import numpy as np
import pandas as pd

from plovermeta import archive

EARTH_RADIUS_M = 6371008.8


def distance_m(lat, lon, lat0, lon0):
    """Great-circle distance in metres from (lat0, lon0) to each position (NaN stays NaN)."""
    p1, p2 = np.radians(lat), np.radians(lat0)
    dp, dl = p2 - p1, np.radians(lon0) - np.radians(lon)
    a = np.sin(dp / 2) ** 2 + np.cos(p1) * np.cos(p2) * np.sin(dl / 2) ** 2
    return 2 * EARTH_RADIUS_M * np.arcsin(np.sqrt(a))


def near_samples(frame, lat, lon, radius_m, start, end):
    """The samples of a (Dask or pandas) archive frame within radius_m of the
    point between start and end (UTC, inclusive), with their distance."""
    frame = frame[(frame.time >= start) & (frame.time <= end)]
    frame = frame.assign(distance_m=distance_m(frame.latitude, frame.longitude, lat, lon))
    return frame[frame.distance_m <= radius_m][["recording", "time", "distance_m", "own_speed", "speed_1", "speed_2"]]


def summary(samples):
    """One row per recording: when it was near, how close, at what speeds."""
    if samples.empty:
        return pd.DataFrame(columns=["first", "last", "closest_m", "samples", "min_speed", "max_speed", "mean_speed"])
    return (
        samples.groupby("recording")
        .agg(
            first=("time", "min"),
            last=("time", "max"),
            closest_m=("distance_m", "min"),
            samples=("time", "size"),
            min_speed=("own_speed", "min"),
            max_speed=("own_speed", "max"),
            mean_speed=("own_speed", "mean"),
        )
        .sort_values("first")
    )


def utc(text):
    t = pd.Timestamp(text)
    return t.tz_localize("UTC") if t.tzinfo is None else t.tz_convert("UTC")


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("archive", nargs="+", help="a folder tree of recordings, or files")
    parser.add_argument("--lat", type=float, required=True)
    parser.add_argument("--lon", type=float, required=True)
    parser.add_argument("--radius", type=float, default=200.0, help="metres (default 200)")
    parser.add_argument("--from", dest="start", type=utc, required=True, help="UTC unless the time names its zone")
    parser.add_argument("--to", dest="end", type=utc, required=True)
    parser.add_argument("--scheduler", help="address of a running Dask scheduler")
    parser.add_argument("--workers", type=int, help="start a local cluster of this many worker processes")
    args = parser.parse_args(argv)

    client = None
    if args.scheduler or args.workers:
        from distributed import Client, LocalCluster

        client = Client(args.scheduler) if args.scheduler else Client(LocalCluster(n_workers=args.workers, threads_per_worker=1))
    try:
        source = args.archive[0] if len(args.archive) == 1 else args.archive
        arc = archive.open(source)
        near, problems = arc.compute(near_samples(arc.frame, args.lat, args.lon, args.radius, args.start, args.end))
    finally:
        if client is not None:
            cluster = client.cluster
            client.close()
            if cluster is not None:
                cluster.close()

    table = summary(near)
    print(f"{len(table)} of {len(arc)} recordings within {args.radius:g} m of ({args.lat}, {args.lon}) "
          f"between {args.start} and {args.end}")
    if len(table):
        print(table.to_string())
    for row in problems.itertuples():
        print(f"{'read' if row.error == 'CutOff' else 'skipped'} {row.recording}: {row.message}", file=sys.stderr)
    return table, problems


if __name__ == "__main__":
    main()
