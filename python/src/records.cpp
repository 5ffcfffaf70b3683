// Samples, log-ins and the OSD as Python records; settings, the recorder and
// a second-generation file's information as dicts.
#include <pybind11/stl.h>

#include <cmath>
#include <string>

#include "bindings.h"

namespace plovermeta {

namespace {

// datetime module objects, looked up once (the GIL is held whenever these run).
struct TimeTypes {
  py::object utcEpoch, naiveEpoch, timedelta;
};

const TimeTypes& Times() {
  static TimeTypes* types = [] {
    py::module_ dt = py::module_::import("datetime");
    py::object utc = dt.attr("timezone").attr("utc");
    auto* t = new TimeTypes;  // kept for the life of the interpreter
    t->utcEpoch = dt.attr("datetime")(1970, 1, 1, 0, 0, 0, 0, utc);
    t->naiveEpoch = dt.attr("datetime")(1970, 1, 1);
    t->timedelta = dt.attr("timedelta");
    return t;
  }();
  return *types;
}

py::object Milliseconds(int64_t ms) { return Times().timedelta(py::arg("milliseconds") = ms); }

py::object NumberOrNone(double value) { return std::isnan(value) ? py::none() : py::cast(value); }

py::str Str(std::string_view text) { return py::str(text.data(), text.size()); }

py::dict OfficerDict(const plover::Officer& o) {
  py::dict d;
  d["id"] = o.id;
  d["first"] = o.first;
  d["middle"] = o.middle;
  d["last"] = o.last;
  d["display"] = o.Display();
  return d;
}

py::list Officers(const std::array<plover::Officer, 2>& officers) {
  py::list list;
  for (const plover::Officer& o : officers)
    if (!o.Empty()) list.append(OfficerDict(o));
  return list;
}

template <size_t N>
py::list Texts(const std::array<std::string, N>& texts) {
  py::list list;
  for (const std::string& t : texts) list.append(t);
  return list;
}

std::string SampleRepr(const PySample& s) {
  std::string text = "Sample(row=" + std::to_string(s.sample.row);
  if (s.sample.HasTime()) text += ", time=" + plover::FormatUtc(s.sample.utcMs);
  if (s.sample.position)
    text += ", latitude=" + std::to_string(s.sample.position->latitude) +
            ", longitude=" + std::to_string(s.sample.position->longitude);
  text += ", ts='" + std::string(s.sample[plover::Field::kTs]) + "')";
  return text;
}

}  // namespace

py::object UtcDatetime(int64_t utcMs) {
  return utcMs == plover::kNoTime ? py::none() : Times().utcEpoch + Milliseconds(utcMs);
}
py::object WrittenDatetime(int64_t writtenMs) {
  return writtenMs == plover::kNoTime ? py::none() : Times().naiveEpoch + Milliseconds(writtenMs);
}
py::object PlayTimedelta(int64_t ms) { return ms == plover::kNoTime ? py::none() : Milliseconds(ms); }

bool IsAwareDatetime(py::handle value) { return !value.attr("utcoffset")().is_none(); }

int64_t TimedeltaMs(py::handle value) {
  // Whole milliseconds, without going through a float.
  int64_t days = value.attr("days").cast<int64_t>();
  int64_t seconds = value.attr("seconds").cast<int64_t>();
  int64_t micros = value.attr("microseconds").cast<int64_t>();
  return (days * 86400 + seconds) * 1000 + micros / 1000;
}

int64_t DatetimeMs(py::handle value) {
  const TimeTypes& t = Times();
  return TimedeltaMs(IsAwareDatetime(value) ? value - t.utcEpoch : value - t.naiveEpoch);
}

py::dict SettingsDict(const plover::DocumentSettings& s) {
  py::dict d;
  d["camera_id"] = s.cameraId;
  d["time_zone_rule"] = s.timeZoneRule;
  d["style_type"] = s.styleType;
  d["style"] = s.style;
  d["speed_unit"] = s.speedUnit;
  d["trigger_sw"] = s.triggerSw;
  d["speed_trigger_sw"] = s.speedTriggerSw;
  py::list cameras;
  for (const plover::CameraSettings& c : s.cameras) {
    py::dict cam;
    cam["name"] = c.name;
    cam["mode"] = c.mode;
    cam["resolution"] = c.resolution;
    cam["bps"] = c.bps;
    cam["fps"] = c.fps;
    cam["audio_bps"] = c.audioBps;
    cam["aspect"] = c.aspect;
    cam["fov"] = c.fov;
    cam["speed_type"] = c.speedType;
    cam["osd_master"] = c.osdMaster;
    cam["osd_date"] = c.osdDate;
    cam["osd_field"] = c.osdField;
    cam["osd_trigger"] = c.osdTrigger;
    cam["osd_pos"] = c.osdPos;
    cam["separator"] = c.separator;
    cam["option_field"] = Texts(c.optionField);
    cam["option_length"] = Texts(c.optionLength);
    cameras.append(cam);
  }
  d["cameras"] = cameras;
  py::list inputs;
  for (const plover::InputSettings& i : s.inputs) {
    py::dict in;
    in["icon"] = i.icon;
    in["ref_trigger"] = i.refTrigger;
    inputs.append(in);
  }
  d["inputs"] = inputs;
  d["speed_trigger_icons"] = Texts(s.speedTriggerIcons);
  return d;
}

py::dict DeviceDict(const plover::Device& v) {
  py::dict d;
  d["model"] = v.model;
  d["serial"] = v.serial;
  d["firmware"] = v.firmware;
  d["slot_card"] = v.slotCard;
  d["slot_serial"] = v.slotSerial;
  d["wlan_mac"] = v.wlanMac;
  return d;
}

py::dict FileInfoDict(const plover::FileInfo& f) {
  py::dict d;
  d["file_name"] = f.fileName;
  d["time_zone_gmt"] = f.timeZoneGmt;
  d["time_zone"] = f.timeZone;
  py::list streams;
  for (const plover::StreamSettings& s : f.streams) {
    py::dict st;
    st["date"] = s.date;
    st["gpio"] = s.gpio;
    st["src_area"] = s.srcArea;
    st["style"] = s.style;
    st["pos"] = s.pos;
    streams.append(st);
  }
  d["streams"] = streams;
  d["officers"] = Officers(f.officers);
  d["shift_pattern"] = f.shiftPattern;
  d["v_id"] = f.vId;
  d["area"] = f.area;
  d["unit_name"] = f.unitName;
  d["agency"] = f.agency;
  d["gpio_switch"] = f.gpioSwitch;
  d["speed_unit"] = f.speedUnit;
  d["input_icons"] = Texts(f.inputIcons);
  d["input_icon_switches"] = Texts(f.inputIconSwitches);
  return d;
}

void BindRecords(py::module_& m) {
  py::class_<PySample>(m, "Sample", "One sample of a recording: what the OSD shows at one moment.")
      .def_property_readonly(
          "row", [](const PySample& s) { return s.sample.row; }, "Its place in time order.")
      .def_property_readonly(
          "key", [](const PySample& s) { return s.sample.key; },
          "What the library keys it by: local milliseconds, the index number or the cue start.")
      .def_property_readonly(
          "number", [](const PySample& s) { return s.sample.number; }, "Index no, index number or cue number.")
      .def_property_readonly(
          "time", [](const PySample& s) { return UtcDatetime(s.sample.utcMs); },
          "The UTC instant (aware datetime), or None when the time stamp does not read.")
      .def_property_readonly(
          "written",
          [](const PySample& s) {
            return s.sample.endMs == plover::kNoTime ? WrittenDatetime(s.sample.writtenMs) : py::none();
          },
          "The time as the recorder wrote it (naive datetime), or None.")
      .def_property_readonly(
          "start",
          [](const PySample& s) {
            return s.sample.endMs == plover::kNoTime ? py::none() : PlayTimedelta(s.sample.writtenMs);
          },
          "Caption cues: the start in play time (timedelta), else None.")
      .def_property_readonly(
          "end", [](const PySample& s) { return PlayTimedelta(s.sample.endMs); },
          "Caption cues: the end in play time (timedelta), else None.")
      .def_property_readonly(
          "latitude",
          [](const PySample& s) { return s.sample.position ? py::cast(s.sample.position->latitude) : py::none(); },
          "Decimal degrees, north positive; None without a readable position.")
      .def_property_readonly(
          "longitude",
          [](const PySample& s) { return s.sample.position ? py::cast(s.sample.position->longitude) : py::none(); },
          "Decimal degrees, east positive; None without a readable position.")
      .def_property_readonly(
          "own_speed", [](const PySample& s) { return NumberOrNone(s.sample.Speed(0)); },
          "The own (GPS) speed as a number, or None.")
      .def_property_readonly(
          "speeds",
          [](const PySample& s) {
            py::tuple t(5);
            for (int i = 0; i < 5; ++i) t[i] = NumberOrNone(s.sample.Speed(i + 1));
            return t;
          },
          "Speeds 1 to 5 as numbers (None where a text is not one).")
      .def_property_readonly(
          "temperatures",
          [](const PySample& s) {
            return py::make_tuple(NumberOrNone(s.sample.Temperature(1)), NumberOrNone(s.sample.Temperature(2)));
          },
          "Temperatures 1 and 2 as numbers (None where absent).")
      .def_property_readonly(
          "inputs_on",
          [](const PySample& s) {
            py::list on;
            for (int n = 1; n <= 32; ++n)
              if (s.sample.InputOn(n)) on.append(n);
            return on;
          },
          "The numbers of the general-purpose inputs that are on.")
      .def(
          "input", [](const PySample& s, int n) { return s.sample.InputOn(n); }, py::arg("n"),
          "Whether general-purpose input n (from 1) is on.")
      .def_property_readonly(
          "texts",
          [](const PySample& s) {
            py::dict d;
            for (size_t f = 0; f < plover::kFieldCount; ++f)
              if (!s.sample.texts[f].empty())
                d[plover::FieldName(static_cast<plover::Field>(f))] = Str(s.sample.texts[f]);
            return d;
          },
          "Every text the sample holds, as written, by field name.")
      .def_property_readonly(
          "ts", [](const PySample& s) { return Str(s.sample[plover::Field::kTs]); }, "The time stamp text as written.")
      .def_property_readonly(
          "status", [](const PySample& s) { return Str(s.sample[plover::Field::kStatus]); },
          "The status row (one character per input).")
      .def_property_readonly(
          "file_name", [](const PySample& s) { return Str(s.sample[plover::Field::kFileName]); },
          "The file the sample came from.")
      .def_property_readonly(
          "lines",
          [](const PySample& s) {
            py::list lines;
            for (std::string_view l : s.sample.Lines()) lines.append(Str(l));
            return lines;
          },
          "Caption cues: the cue's lines.")
      .def("__repr__", &SampleRepr);

  py::class_<plover::Login>(m, "Login", "One log-in of a document.")
      .def_property_readonly(
          "time", [](const plover::Login& l) { return UtcDatetime(l.utcMs); }, "The UTC instant (aware datetime).")
      .def_property_readonly(
          "written", [](const plover::Login& l) { return WrittenDatetime(l.writtenMs); },
          "The time as written (naive datetime).")
      .def_readonly("key", &plover::Login::key, "The library's key: local seconds.")
      .def_property_readonly(
          "officers", [](const plover::Login& l) { return Officers(l.officers); },
          "The officers logged in, as dicts (id, first, middle, last, display).")
      .def_property_readonly(
          "officers_text", [](const plover::Login& l) { return plover::OfficersText(l.officers); },
          "The officers as the OSD shows them.")
      .def_property_readonly(
          "fields", [](const plover::Login& l) { return Texts(l.fields); }, "Fields 1 to 5.")
      .def_readonly("file_name", &plover::Login::fileName)
      .def("__repr__", [](const plover::Login& l) {
        return "Login(time=" + plover::FormatUtc(l.utcMs) + ", officers='" + plover::OfficersText(l.officers) + "')";
      });

  py::class_<PyOsd>(m, "Osd", "What the OSD shows at a moment.")
      .def_property_readonly("sample", [](const PyOsd& o) { return o.sample; })
      .def_readonly("officers", &PyOsd::officers, "The officers logged in, as the OSD shows them.")
      .def_readonly("login", &PyOsd::login, "Documents: the log-in in effect, or None.")
      .def_readonly("speed_unit", &PyOsd::speedUnit)
      .def("__repr__",
           [](const PyOsd& o) { return "Osd(" + SampleRepr(o.sample) + ", officers='" + o.officers + "')"; });
}

}  // namespace plovermeta
