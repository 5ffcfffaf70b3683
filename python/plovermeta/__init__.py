"""Vehicle recorder metadata for analysts: recordings as records, pandas and
GeoPandas tables, whole archives as Dask tables (plovermeta.archive).

    >>> import plovermeta
    >>> rec = plovermeta.open("examples/recording/20260314_100000.xml")
    >>> frame = rec.to_pandas()          # one row per sample, typed columns

Every failure raises a plovermeta.Error subclass whose message says what to
do.  Recordings are read in their own time zone and never change the
process's; different recordings may be used on different threads at once.
"""

from __future__ import annotations

import datetime as _dt
from typing import Any, Dict, List, Optional, Union

import numpy as _np

from . import _plovermeta as _native
from ._errors import BadArgument, BadTimeZone, Empty, Error, NoSuchFile, Refused, Unreadable, UnknownForm
from ._plovermeta import Login, Osd, Sample

__all__ = [
    "open",
    "from_bytes",
    "Recording",
    "Sample",
    "Login",
    "Osd",
    "INPUTS",
    "Error",
    "NoSuchFile",
    "Unreadable",
    "UnknownForm",
    "Refused",
    "Empty",
    "BadTimeZone",
    "BadArgument",
]

#: Inputs given their own boolean column: the status row's first 24 characters.
INPUTS = 24

# Number columns: field name -> column name, in column order.
_NUMBER_COLUMNS = {
    "altitude": "altitude",
    "own": "own_speed",
    "speed1": "speed_1",
    "speed2": "speed_2",
    "speed3": "speed_3",
    "speed4": "speed_4",
    "speed5": "speed_5",
    "radar_own": "radar_own",
    "radar_target": "radar_target",
    "satellites": "satellites",
    "temperature1": "temperature_1",
    "temperature2": "temperature_2",
}
# Text columns (pandas categories): field name -> column name.
_TEXT_COLUMNS = {
    "ts": "ts",
    "status": "status",
    "latitude": "latitude_text",
    "longitude": "longitude_text",
    "camera1": "camera_1",
    "camera2": "camera_2",
    "camera3": "camera_3",
    "camera4": "camera_4",
    "camera5": "camera_5",
    "microphone": "microphone",
    "audio_mute": "audio_mute",
    "file_name": "file_name",
    "cue_text": "cue_text",
}

TimeLike = Union[_dt.datetime, _dt.timedelta, str]


def open(path: str, form: Optional[str] = None, zone: Optional[str] = None) -> "Recording":  # noqa: A001
    """Opens a metadata file: a document, a second-generation text file or
    container, a WebVTT caption track or binary sample records.

    form: "document", "container", "text", "vtt" or "binary"; without it the
    file's first bytes tell.  zone: read the times in this zone instead of the
    recording's own ("UTC0", "Asia/Tokyo", "+09:00", ...).

    Raises NoSuchFile, Unreadable, UnknownForm, Refused, Empty or BadTimeZone.
    The file is read while other Python threads run.
    """
    return Recording(_native.open(str(path), form, zone))


def from_bytes(data: bytes, name: str, form: Optional[str] = None, zone: Optional[str] = None) -> "Recording":
    """A document, caption track or binary records held in memory, under a
    file name (second-generation files are read from disk: use open)."""
    return Recording(_native.from_bytes(bytes(data), name, form, zone))


class Recording:
    """One recording's metadata: samples in time order, log-ins, settings.

    A recording is meant for one thread at a time; open it once per thread to
    share a file between threads.
    """

    def __init__(self, native: _native.NativeRecording):
        self._native = native

    form = property(lambda self: self._native.form, doc='"document", "container", "text", "vtt" or "binary".')
    path = property(lambda self: self._native.path, doc="The path as opened.")
    name = property(lambda self: self._native.name, doc="The file name without folders.")
    time_zone = property(lambda self: self._native.time_zone, doc="The zone the times are read in.")
    zone_origin = property(
        lambda self: self._native.zone_origin,
        doc='Where the zone came from: "recording", "override" or "machine" (the recording names none).',
    )
    speed_unit = property(lambda self: self._native.speed_unit, doc="The speed unit the recording names, or ''.")
    cut_off = property(
        lambda self: self._native.cut_off,
        doc="(byte where the file ends, complete samples recovered) for a file cut off before its end, else None.",
    )

    def __len__(self) -> int:
        return len(self._native)

    def __repr__(self) -> str:
        return f"<plovermeta.Recording {self.name!r} {self.form}, {len(self)} samples, zone {self.time_zone}>"

    def sample(self, row: int) -> Sample:
        """The sample at a row in time order (BadArgument past the end)."""
        return self._native.sample(row)

    def samples(self) -> List[Sample]:
        """Every sample in time order, as records."""
        return self._native.samples()

    def columns(self) -> Dict[str, Any]:
        """Every sample as NumPy arrays, the raw material of to_pandas."""
        return _native.columns(self._native)

    def to_pandas(self):
        """Every sample as a pandas.DataFrame, one row per sample in time order.

        time (UTC) and written (the recorder's wall clock) as datetimes, NaT
        where the time stamp does not read (caption tracks: start and end as
        timedeltas instead); latitude, longitude, speeds, altitude and
        temperatures as float64 (NaN where not readable); input_1 to input_24
        as booleans; the texts as written as categories.
        """
        return _frame(self.columns(), self.form == "vtt")

    def to_geopandas(self):
        """to_pandas with a point geometry (longitude, latitude; EPSG:4326) per
        sample, None where the position does not read.  Needs geopandas."""
        try:
            import geopandas
        except ImportError as e:
            raise ImportError("to_geopandas needs geopandas (Debian: apt-get install python3-geopandas)") from e
        frame = self.to_pandas()
        points = geopandas.points_from_xy(frame["longitude"], frame["latitude"])
        points[_np.isnan(frame["latitude"].to_numpy()) | _np.isnan(frame["longitude"].to_numpy())] = None
        return geopandas.GeoDataFrame(frame, geometry=points, crs="EPSG:4326")

    def logins(self) -> List[Login]:
        """Documents: every log-in in time order; other forms: none."""
        return self._native.logins()

    def settings(self) -> Dict[str, Any]:
        """Documents: the recording settings (cameras, inputs, zone rule, ...)."""
        return self._native.settings()

    def device(self) -> Dict[str, str]:
        """Documents: the recorder (model, serial, firmware, ...)."""
        return self._native.device()

    def file_info(self) -> Dict[str, Any]:
        """Second-generation files: the file information (officers, unit, ...)."""
        return self._native.file_info()

    def files(self, data_type: int = 0, camera: int = 1) -> List[str]:
        """Documents: the files listed for a data type (0 video, 1 audio, 2 x,
        3 w) and a camera, in order of their start time."""
        return self._native.files(data_type, camera)

    def osd_at(self, time: Optional[TimeLike] = None, before: bool = False, *, index: Optional[int] = None) -> Optional[Osd]:
        """What the OSD shows at a moment: the sample at or after `time`, or
        with before=True the one at `time` else the last before it; None when
        there is none.

        time: an aware datetime (an instant), a naive datetime or a text
        "YYYY-MM-DD hh:mm:ss[.mmm]" (the recorder's wall clock), or for caption
        tracks a timedelta of play time.  index: second-generation files, the
        sample of an index number instead of a time.
        """
        if index is not None:
            return self._native.osd_at_key(int(index), before)
        if isinstance(time, str):
            try:
                time = _dt.datetime.fromisoformat(time.strip().replace("/", "-"))
            except ValueError:
                raise BadArgument(f'"{time}" is not a time: use "YYYY-MM-DD hh:mm:ss[.mmm]"') from None
        if isinstance(time, _dt.timedelta):
            return self._native.osd_at_utc(_ms(time / _dt.timedelta(milliseconds=1)), before)
        if isinstance(time, _dt.datetime):
            if time.utcoffset() is not None:
                delta = time - _dt.datetime(1970, 1, 1, tzinfo=_dt.timezone.utc)
                return self._native.osd_at_utc(_ms(delta / _dt.timedelta(milliseconds=1)), before)
            delta = time - _dt.datetime(1970, 1, 1)
            return self._native.osd_at_written(_ms(delta / _dt.timedelta(milliseconds=1)), before)
        raise BadArgument(f"osd_at takes a datetime, a time text or a timedelta, not {type(time).__name__}")


def _ms(value: float) -> int:
    return int(round(value))


def _frame(c: Dict[str, Any], track: bool):
    """The DataFrame of a recording's columns (vectorised: no Python call per sample)."""
    import pandas as pd

    data: Dict[str, Any] = {}
    if track:
        data["start"] = c["written"].view("timedelta64[ns]")
        data["end"] = c["end"].view("timedelta64[ns]")
    else:
        data["time"] = pd.DatetimeIndex(c["time"].view("datetime64[ns]")).tz_localize("UTC")
        data["written"] = c["written"].view("datetime64[ns]")
    data["key"] = c["key"]
    data["number"] = c["number"]
    data["latitude"] = c["latitude"]
    data["longitude"] = c["longitude"]
    for field, column in _NUMBER_COLUMNS.items():
        data[column] = c["numbers"][field]
    bits = (c["inputs"][:, None] >> _np.arange(INPUTS, dtype=_np.uint32)) & 1
    bits = bits.astype(bool)
    for n in range(INPUTS):
        data[f"input_{n + 1}"] = bits[:, n]
    for field, column in _TEXT_COLUMNS.items():
        codes, categories = c["texts"][field]
        if len(set(categories)) == len(categories):
            data[column] = pd.Categorical.from_codes(codes, categories)
        else:  # equal texts under two numbers: let pandas merge them
            data[column] = pd.Categorical(_np.asarray(categories, dtype=object)[codes])
    return pd.DataFrame(data)
