// The extension module plovermeta._plovermeta: recordings opened through the
// library's C++ interface.  The Python package (plovermeta/__init__.py) adds
// pandas and GeoPandas tables on top.
#include <pybind11/stl.h>

#include <string>

#include "bindings.h"

namespace plovermeta {

namespace {

// plover::Error as the exception class of its code (plovermeta/_errors.py).
const char* ErrorClass(plover::ErrorCode code) {
  switch (code) {
    case plover::ErrorCode::kNoSuchFile:
      return "NoSuchFile";
    case plover::ErrorCode::kUnreadable:
      return "Unreadable";
    case plover::ErrorCode::kUnknownForm:
      return "UnknownForm";
    case plover::ErrorCode::kRefused:
      return "Refused";
    case plover::ErrorCode::kEmpty:
      return "Empty";
    case plover::ErrorCode::kBadTimeZone:
      return "BadTimeZone";
    case plover::ErrorCode::kBadArgument:
      return "BadArgument";
  }
  return "Error";
}

void Translate(std::exception_ptr p) {
  try {
    if (p) std::rethrow_exception(p);
  } catch (const plover::Error& e) {
    py::object cls = py::module_::import("plovermeta._errors").attr(ErrorClass(e.code()));
    PyErr_SetObject(cls.ptr(), py::str(e.what()).ptr());
  }
}

plover::OpenOptions Options(const std::optional<std::string>& form, const std::optional<std::string>& zone) {
  plover::OpenOptions options;
  if (form) {
    options.form = plover::FormFromName(*form);
    if (!options.form)
      throw plover::Error(plover::ErrorCode::kBadArgument,
                          "unknown form \"" + *form + "\": use document, container, text, vtt or binary");
  }
  if (zone) options.zone = plover::TimeZone::Parse(*zone);
  return options;
}

plover::Seek SeekOf(bool before) { return before ? plover::Seek::kAtOrBefore : plover::Seek::kAtOrAfter; }

std::optional<PyOsd> OsdOf(const RecordingPtr& r, const std::optional<plover::Sample>& sample) {
  if (!sample) return std::nullopt;
  plover::Osd osd = r->OsdOf(*sample);
  return PyOsd{PySample{osd.sample, r}, osd.officers, osd.login, osd.speedUnit};
}

const char* ZoneOriginName(plover::ZoneOrigin origin) {
  switch (origin) {
    case plover::ZoneOrigin::kRecording:
      return "recording";
    case plover::ZoneOrigin::kOverride:
      return "override";
    case plover::ZoneOrigin::kMachine:
      return "machine";
  }
  return "";
}

}  // namespace

}  // namespace plovermeta

PYBIND11_MODULE(_plovermeta, m) {
  using namespace plovermeta;
  m.doc() = "Vehicle recorder metadata read by PloverMetaParser.";
  py::register_exception_translator(&Translate);
  BindRecords(m);

  py::class_<plover::Recording, std::shared_ptr<plover::Recording>>(
      m, "NativeRecording", "One metadata file opened through the library; samples in time order.")
      .def_property_readonly(
          "form", [](const plover::Recording& r) { return plover::FormName(r.form()); },
          "document, container, text, vtt or binary.")
      .def_property_readonly("path", &plover::Recording::path)
      .def_property_readonly("name", &plover::Recording::name)
      .def_property_readonly(
          "time_zone", [](const plover::Recording& r) { return r.timeZone().name(); },
          "The zone the times are read in.")
      .def_property_readonly(
          "zone_origin", [](const plover::Recording& r) { return ZoneOriginName(r.zoneOrigin()); },
          "recording, override or machine.")
      .def_property_readonly(
          "cut_off",
          [](const plover::Recording& r) -> pybind11::object {
            if (!r.recovery().cutOff) return pybind11::none();
            return pybind11::make_tuple(r.recovery().cutAt, r.recovery().recovered);
          },
          "(byte where the file ends, complete samples recovered) for a file cut off before its end, else None.")
      .def_property_readonly("speed_unit", &plover::Recording::speedUnit)
      .def_property_readonly("memory_bytes", &plover::Recording::MemoryBytes)
      .def("__len__", [](const plover::Recording& r) { return r.samples().size(); })
      .def(
          "sample",
          [](const RecordingPtr& r, size_t row) {
            return PySample{r->samples().at(row), r};
          },
          py::arg("row"))
      .def("samples",
           [](const RecordingPtr& r) {
             const plover::SampleTable& t = r->samples();
             py::list list(t.size());
             for (size_t i = 0; i < t.size(); ++i) list[i] = py::cast(PySample{t[i], r});
             return list;
           })
      .def(
          "osd_at_utc",
          [](const RecordingPtr& r, int64_t utcMs, bool before) { return OsdOf(r, r->At(utcMs, SeekOf(before))); },
          py::arg("utc_ms"), py::arg("before"))
      .def(
          "osd_at_written",
          [](const RecordingPtr& r, int64_t ms, bool before) { return OsdOf(r, r->AtWritten(ms, SeekOf(before))); },
          py::arg("written_ms"), py::arg("before"))
      .def(
          "osd_at_key",
          [](const RecordingPtr& r, uint64_t key, bool before) { return OsdOf(r, r->AtKey(key, SeekOf(before))); },
          py::arg("key"), py::arg("before"))
      .def("logins", &plover::Recording::logins)
      .def("settings", [](const plover::Recording& r) { return SettingsDict(r.settings()); })
      .def("device", [](const plover::Recording& r) { return DeviceDict(r.device()); })
      .def("file_info", [](const plover::Recording& r) { return FileInfoDict(r.fileInfo()); })
      .def(
          "files",
          [](const plover::Recording& r, int type, int camera) {
            if (type < 0 || type > 3)
              throw plover::Error(plover::ErrorCode::kBadArgument,
                                  "data type " + std::to_string(type) + ": use 0 video, 1 audio, 2 x or 3 w");
            return r.Files(static_cast<plover::DataType>(type), camera);
          },
          py::arg("data_type"), py::arg("camera"));

  m.def(
      "open",
      [](const std::string& path, const std::optional<std::string>& form, const std::optional<std::string>& zone) {
        plover::OpenOptions options = Options(form, zone);
        py::gil_scoped_release unlocked;  // other threads read their recordings meanwhile
        return std::make_shared<plover::Recording>(plover::Recording::Open(path, options));
      },
      py::arg("path"), py::arg("form") = py::none(), py::arg("zone") = py::none(),
      "Opens a metadata file in the form its first bytes tell (or `form`), its times read in its own zone (or "
      "`zone`).");
  m.def(
      "from_bytes",
      [](py::bytes data, const std::string& name, const std::optional<std::string>& form,
         const std::optional<std::string>& zone) {
        plover::OpenOptions options = Options(form, zone);
        std::string bytes = data;
        py::gil_scoped_release unlocked;
        return std::make_shared<plover::Recording>(plover::Recording::FromBytes(bytes, name, options));
      },
      py::arg("data"), py::arg("name"), py::arg("form") = py::none(), py::arg("zone") = py::none(),
      "A document, caption track or binary records held in memory, under a file name.");
  BindColumns(m);
}
