// Shared pieces of the extension module: the recording as Python holds it,
// time values, and the registration of each group of bindings.
#ifndef PLOVERMETA_PYTHON_BINDINGS_H
#define PLOVERMETA_PYTHON_BINDINGS_H

#include <pybind11/pybind11.h>

#include <cstdint>
#include <memory>

#include "plover/Recording.h"

namespace plovermeta {

namespace py = pybind11;

// Python shares one recording between every object made from it: a sample
// keeps the recording (and so its text pool) alive.
using RecordingPtr = std::shared_ptr<plover::Recording>;

// One sample with the recording its texts live in.
struct PySample {
  plover::Sample sample;
  RecordingPtr owner;
};

// The OSD at a moment.
struct PyOsd {
  PySample sample;
  std::string officers;
  std::optional<plover::Login> login;
  std::string speedUnit;
};

// Times as Python values: an aware UTC datetime, a naive wall-clock datetime,
// a timedelta of play time; None for plover::kNoTime.
py::object UtcDatetime(int64_t utcMs);
py::object WrittenDatetime(int64_t writtenMs);
py::object PlayTimedelta(int64_t ms);
// The reverse: an aware datetime as UTC milliseconds, a naive one as a
// written time, a timedelta as milliseconds.
int64_t DatetimeMs(py::handle value);
int64_t TimedeltaMs(py::handle value);
bool IsAwareDatetime(py::handle value);

void BindRecords(py::module_& m);  // Sample, Osd, Login, Officer and the settings as dicts
void BindColumns(py::module_& m);  // the whole sample table as arrays

// Dicts of the few-per-recording values.
py::dict SettingsDict(const plover::DocumentSettings& settings);
py::dict DeviceDict(const plover::Device& device);
py::dict FileInfoDict(const plover::FileInfo& info);

}  // namespace plovermeta

#endif
