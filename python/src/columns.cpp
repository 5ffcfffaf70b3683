// The whole sample table as NumPy arrays: one copy per column, no Python call
// per sample.  Text columns come as category codes with their categories, the
// texts each column uses, numbered in order of first use.
#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "bindings.h"

namespace plovermeta {

namespace {

using plover::Field;

constexpr Field kNumberFields[] = {Field::kAltitude, Field::kOwn,         Field::kSatellites,   Field::kSpeed1,
                                   Field::kSpeed2,   Field::kSpeed3,      Field::kSpeed4,       Field::kSpeed5,
                                   Field::kRadarOwn, Field::kRadarTarget, Field::kTemperature1, Field::kTemperature2};
constexpr Field kTextFields[] = {Field::kTs,      Field::kStatus,     Field::kLatitude,  Field::kLongitude,
                                 Field::kCamera1, Field::kCamera2,    Field::kCamera3,   Field::kCamera4,
                                 Field::kCamera5, Field::kMicrophone, Field::kAudioMute, Field::kFileName,
                                 Field::kCueText};

template <typename T>
py::array_t<T> Copy(const std::vector<T>& values) {
  py::array_t<T> array(values.size());
  if (!values.empty()) std::memcpy(array.mutable_data(), values.data(), values.size() * sizeof(T));
  return array;
}

// Milliseconds as nanoseconds; kNoTime is NumPy's NaT already.
py::array_t<int64_t> Nanoseconds(const std::vector<int64_t>& ms) {
  py::array_t<int64_t> array(ms.size());
  int64_t* out = array.mutable_data();
  {
    py::gil_scoped_release unlocked;
    for (size_t i = 0; i < ms.size(); ++i) out[i] = ms[i] == plover::kNoTime ? ms[i] : ms[i] * 1000000;
  }
  return array;
}

py::array_t<double> Numbers(const plover::SampleTable& table, Field field) {
  std::vector<double> values;
  if (!table.TextIds(field).empty()) values = table.Numbers(field);
  if (values.size() != table.size()) values.assign(table.size(), std::numeric_limits<double>::quiet_NaN());
  return Copy(values);
}

// Codes into the texts the column uses; a column the recording lacks is one
// category, the empty text.
py::tuple Categories(const plover::SampleTable& table, Field field) {
  const std::vector<plover::TextId>& ids = table.TextIds(field);
  const plover::TextPool& pool = table.pool();
  py::array_t<int32_t> codes(table.size());
  int32_t* out = codes.mutable_data();
  std::vector<plover::TextId> used;
  {
    py::gil_scoped_release unlocked;
    if (ids.empty()) {
      std::fill(out, out + table.size(), 0);
      used.push_back(0);
    } else {
      std::vector<int32_t> code(pool.size(), -1);
      for (size_t i = 0; i < ids.size(); ++i) {
        int32_t& c = code[ids[i]];
        if (c < 0) {
          c = static_cast<int32_t>(used.size());
          used.push_back(ids[i]);
        }
        out[i] = c;
      }
    }
  }
  py::list categories(used.size());
  for (size_t i = 0; i < used.size(); ++i) {
    std::string_view text = pool[used[i]];
    categories[i] = py::str(text.data(), text.size());
  }
  return py::make_tuple(codes, categories);
}

}  // namespace

void BindColumns(py::module_& m) {
  m.def(
      "columns",
      [](const plover::Recording& recording) {
        const plover::SampleTable& t = recording.samples();
        py::dict d;
        d["key"] = Copy(t.keys());
        d["number"] = Copy(t.numbers());
        d["time"] = Nanoseconds(t.utcMs());
        d["written"] = Nanoseconds(t.writtenMs());
        d["end"] = Nanoseconds(t.endMs());
        d["latitude"] = Copy(t.latitudes());
        d["longitude"] = Copy(t.longitudes());
        d["inputs"] = Copy(t.inputs());
        py::dict numbers, texts;
        for (Field f : kNumberFields) numbers[plover::FieldName(f)] = Numbers(t, f);
        for (Field f : kTextFields) texts[plover::FieldName(f)] = Categories(t, f);
        d["numbers"] = numbers;
        d["texts"] = texts;
        return d;
      },
      py::arg("recording"),
      "Every sample as arrays: key, number, time, written and end (nanoseconds, NaT where none), latitude and "
      "longitude, inputs (bit n-1: input n), numbers (float64 by field) and texts (category codes and "
      "categories by field).");
}

}  // namespace plovermeta
