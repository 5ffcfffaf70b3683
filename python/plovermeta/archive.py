"""Whole archives of recordings as one Dask table.

    >>> from plovermeta import archive
    >>> arc = archive.open("/data/fleet")          # a folder tree or a list of paths
    >>> fast = arc.frame[arc.frame.own_speed > 120]
    >>> result, problems = arc.compute(fast)       # on the current Dask scheduler

`Archive.frame` is a dask.dataframe with one partition per recording and the
columns of Recording.to_pandas() plus `recording` (the file's path).  A file
that is cut off, unreadable or of no known form gives an empty partition and
one row in `Archive.problems`; it never stops the run.  The same code runs on
a laptop (Dask's threads) and on a cluster (a distributed.Client).
"""

from __future__ import annotations

import os
from typing import Any, Iterable, List, Optional, Sequence, Tuple, Union

import dask
import dask.dataframe as dd
import numpy as np
import pandas as pd

from . import Empty, Error, _frame, open as _open_recording

#: File names an archive folder is searched for.
PATTERNS: Tuple[str, ...] = ("*.xml", "*.txt", "*.dat", "*.bin")

#: Columns of Archive.problems.
PROBLEM_COLUMNS = ["recording", "error", "message"]


def find(source: Union[str, os.PathLike, Iterable[Union[str, os.PathLike]]], patterns: Sequence[str] = PATTERNS) -> List[str]:
    """The recordings of a folder tree (files matching `patterns`, sorted), a
    single file, or a list of paths taken as they are."""
    import fnmatch

    if isinstance(source, (str, os.PathLike)):
        root = os.fspath(source)
        if not os.path.isdir(root):
            return [root]
        found = []
        for folder, dirs, files in os.walk(root):
            dirs.sort()
            found += [os.path.join(folder, f) for f in sorted(files) if any(fnmatch.fnmatch(f, p) for p in patterns)]
        return found
    return [os.fspath(p) for p in source]


def empty_frame() -> pd.DataFrame:
    """A frame with the archive's columns and types and no rows."""
    from . import _NUMBER_COLUMNS, _TEXT_COLUMNS

    nothing = np.zeros(0, dtype=np.int64)
    columns = {
        "key": np.zeros(0, dtype=np.uint64),
        "number": np.zeros(0, dtype=np.uint32),
        "time": nothing,
        "written": nothing,
        "end": nothing,
        "latitude": np.zeros(0),
        "longitude": np.zeros(0),
        "inputs": np.zeros(0, dtype=np.uint32),
        "numbers": {f: np.zeros(0) for f in _NUMBER_COLUMNS},
        "texts": {f: (np.zeros(0, dtype=np.int32), []) for f in _TEXT_COLUMNS},
    }
    frame = _frame(columns, track=False)
    frame.insert(0, "recording", pd.Series([], dtype=object))
    return frame


def read(path: str, zone: Optional[str] = None) -> Tuple[pd.DataFrame, Optional[dict]]:
    """One recording as a frame of the archive's columns, and its problem
    (None when it read): a file that cannot be read gives an empty frame."""
    try:
        recording = _open_recording(path, zone=zone)
        if recording.form == "vtt":
            raise Error(f"{path}: a caption track has play times, not instants; archives hold the other forms")
        if len(recording) == 0:
            raise Empty(f"{path}: no samples; the file may be cut off")
        frame = recording.to_pandas()
    except (Error, OSError) as e:
        return empty_frame(), {"recording": path, "error": type(e).__name__, "message": str(e)}
    frame.insert(0, "recording", pd.Series([path] * len(frame), dtype=object))
    if recording.cut_off:
        at, recovered = recording.cut_off
        return frame, {"recording": path, "error": "CutOff",
                       "message": f"{path}: cut off at byte {at}; its {recovered} complete samples are read"}
    return frame, None


def _problems(*found: Optional[dict]) -> pd.DataFrame:
    return pd.DataFrame([p for p in found if p], columns=PROBLEM_COLUMNS)


class Archive:
    """Recordings as one Dask table, one partition per recording."""

    def __init__(self, paths: Sequence[str], zone: Optional[str] = None):
        self.paths: List[str] = list(paths)
        loads = [dask.delayed(read, pure=True)(p, zone) for p in self.paths]
        parts = [dask.delayed(_first, pure=True)(load) for load in loads]
        meta = dd.utils.clear_known_categories(empty_frame())
        #: The samples of every recording: a dask.dataframe, one partition per file.
        self.frame: dd.DataFrame = dd.from_delayed(parts, meta=meta, verify_meta=False) if parts else dd.from_pandas(
            empty_frame(), npartitions=1
        )
        #: The files that did not read (recording, error, message): a dask
        #: delayed pandas.DataFrame sharing the reads of `frame`.
        self.problems = dask.delayed(_problems, pure=True)(*[dask.delayed(_second, pure=True)(load) for load in loads])

    def __len__(self) -> int:
        return len(self.paths)

    def compute(self, *collections: Any, **kwargs: Any) -> Tuple[Any, ...]:
        """dask.compute of `collections` and of the problems, each file read
        once: returns the results followed by the problems frame."""
        return dask.compute(*collections, self.problems, **kwargs)


def _first(pair):
    return pair[0]


def _second(pair):
    return pair[1]


def open(  # noqa: A001
    source: Union[str, os.PathLike, Iterable[Union[str, os.PathLike]]],
    patterns: Sequence[str] = PATTERNS,
    zone: Optional[str] = None,
) -> Archive:
    """An Archive of a folder tree (the files matching `patterns`), a file or
    a list of paths.  zone: read every recording's times in this zone instead
    of its own."""
    return Archive(find(source, patterns), zone)
