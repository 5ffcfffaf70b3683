"""Type hints of the compiled module (recordings read by the library)."""

import datetime
from typing import Any, Dict, List, Optional, Tuple

import numpy as np

class Sample:
    """One sample of a recording: what the OSD shows at one moment."""

    row: int
    key: int
    number: int
    time: Optional[datetime.datetime]
    written: Optional[datetime.datetime]
    start: Optional[datetime.timedelta]
    end: Optional[datetime.timedelta]
    latitude: Optional[float]
    longitude: Optional[float]
    own_speed: Optional[float]
    speeds: Tuple[Optional[float], Optional[float], Optional[float], Optional[float], Optional[float]]
    temperatures: Tuple[Optional[float], Optional[float]]
    inputs_on: List[int]
    texts: Dict[str, str]
    ts: str
    status: str
    file_name: str
    lines: List[str]
    def input(self, n: int) -> bool: ...

class Login:
    """One log-in of a document."""

    time: Optional[datetime.datetime]
    written: Optional[datetime.datetime]
    key: int
    officers: List[Dict[str, str]]
    officers_text: str
    fields: List[str]
    file_name: str

class Osd:
    """What the OSD shows at a moment."""

    sample: Sample
    officers: str
    login: Optional[Login]
    speed_unit: str

class NativeRecording:
    form: str
    path: str
    name: str
    time_zone: str
    zone_origin: str
    cut_off: Optional[Tuple[int, int]]
    speed_unit: str
    memory_bytes: int
    def __len__(self) -> int: ...
    def sample(self, row: int) -> Sample: ...
    def samples(self) -> List[Sample]: ...
    def osd_at_utc(self, utc_ms: int, before: bool) -> Optional[Osd]: ...
    def osd_at_written(self, written_ms: int, before: bool) -> Optional[Osd]: ...
    def osd_at_key(self, key: int, before: bool) -> Optional[Osd]: ...
    def logins(self) -> List[Login]: ...
    def settings(self) -> Dict[str, Any]: ...
    def device(self) -> Dict[str, str]: ...
    def file_info(self) -> Dict[str, Any]: ...
    def files(self, data_type: int, camera: int) -> List[str]: ...

def open(path: str, form: Optional[str] = None, zone: Optional[str] = None) -> NativeRecording: ...
def from_bytes(data: bytes, name: str, form: Optional[str] = None, zone: Optional[str] = None) -> NativeRecording: ...
def columns(recording: NativeRecording) -> Dict[str, Any]: ...
