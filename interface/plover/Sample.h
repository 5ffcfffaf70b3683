// The samples of a recording: kept as columns (one vector per value, texts as
// numbers into the recording's TextPool), handed out one row at a time as a
// Sample, or whole as columns for bulk readers.
#ifndef PLOVER_SAMPLE_H
#define PLOVER_SAMPLE_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Position.h"
#include "TextPool.h"

namespace plover {

// The texts of a sample, as written.  Camera, microphone and temperature
// fields hold the whole element as the recorder wrote it (documents).
enum class Field : uint8_t {
  kTs,      // the time stamp text
  kStatus,  // G-STAT: one character per general-purpose input, '1' on
  kLatitude,
  kLongitude,
  kAltitude,
  kOwn,  // the own (GPS) speed
  kSatellites,
  kSpeed1,
  kSpeed2,
  kSpeed3,
  kSpeed4,
  kSpeed5,
  kRadarOwn,     // second-generation files
  kRadarTarget,  // second-generation files
  kCamera1,
  kCamera2,
  kCamera3,
  kCamera4,
  kCamera5,
  kMicrophone,
  kAudioMute,
  kTemperature1,
  kTemperature2,
  kFileName,  // the file the sample came from
  kCueText,   // tracks: the cue's lines joined with '\n'
  kCount
};
inline constexpr size_t kFieldCount = static_cast<size_t>(Field::kCount);
// "ts", "status", "latitude", ... (column names for tables).
const char* FieldName(Field field);

inline constexpr int64_t kNoTime = std::numeric_limits<int64_t>::min();

// One sample as values.  Its texts are views into the recording's text pool:
// valid while the recording lives.
struct Sample {
  size_t row = 0;               // its place in the recording, in time order
  uint64_t key = 0;             // what the library keys it by (see Recording::key docs)
  uint32_t number = 0;          // sample number: Index no, index number, cue number
  int64_t utcMs = kNoTime;      // UTC instant; kNoTime when the time stamp does not read (and for cues)
  int64_t writtenMs = kNoTime;  // the time as written (TimeZone.h); cues: start in play milliseconds
  int64_t endMs = kNoTime;      // cues: end in play milliseconds
  std::array<std::string_view, kFieldCount> texts;
  std::optional<Position> position;  // when both texts read
  uint32_t inputs = 0;               // bit n-1 set: input n on (first 32 characters of the status row)

  bool HasTime() const { return utcMs != kNoTime; }
  std::string_view operator[](Field field) const { return texts[static_cast<size_t>(field)]; }
  bool InputOn(int n) const { return n >= 1 && n <= 32 && (inputs >> (n - 1) & 1u) != 0; }
  // A speed (0 own, 1 to 5 the five speeds) or temperature as a number; NaN
  // when its text is not one.
  double Speed(int which) const;
  double Temperature(int which) const;  // 1 or 2
  // Cues: the lines.
  std::vector<std::string_view> Lines() const;
};

// A text column read as numbers (leading number of the text); NaN where the
// text holds none.
double TextNumber(std::string_view text);

// The columns.  Rows are in time order; every vector has size() entries.
class SampleTable {
 public:
  size_t size() const { return keys_.size(); }
  bool empty() const { return keys_.empty(); }

  const std::vector<uint64_t>& keys() const { return keys_; }
  const std::vector<uint32_t>& numbers() const { return numbers_; }
  const std::vector<int64_t>& utcMs() const { return utcMs_; }
  const std::vector<int64_t>& writtenMs() const { return writtenMs_; }
  const std::vector<int64_t>& endMs() const { return endMs_; }           // cues; else kNoTime
  const std::vector<double>& latitudes() const { return latitudes_; }    // NaN: no readable position
  const std::vector<double>& longitudes() const { return longitudes_; }  // NaN: no readable position
  const std::vector<uint32_t>& inputs() const { return inputs_; }

  // The text numbers of one field, row after row; empty when no sample of
  // the recording has that text (a document has no radar texts).
  const std::vector<TextId>& TextIds(Field field) const { return texts_[static_cast<size_t>(field)]; }
  std::string_view Text(size_t row, Field field) const {
    const std::vector<TextId>& ids = TextIds(field);
    return ids.empty() ? std::string_view() : (*pool_)[ids[row]];
  }
  // A text column read with TextNumber (speeds, temperatures, altitude).
  std::vector<double> Numbers(Field field) const;
  const TextPool& pool() const { return *pool_; }

  Sample operator[](size_t row) const;
  Sample at(size_t row) const;  // throws Error(kBadArgument) past the end

  // Bytes held by the columns (the pool not included).
  size_t MemoryBytes() const;

 private:
  friend class SampleTableBuilder;
  const TextPool* pool_ = nullptr;
  std::vector<uint64_t> keys_;
  std::vector<uint32_t> numbers_;
  std::vector<int64_t> utcMs_, writtenMs_, endMs_;
  std::vector<double> latitudes_, longitudes_;
  std::vector<uint32_t> inputs_;
  std::array<std::vector<TextId>, kFieldCount> texts_;
};

}  // namespace plover

#endif
