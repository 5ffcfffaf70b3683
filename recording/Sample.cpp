#include "plover/Sample.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "plover/Error.h"
#include "recording/Decimal.h"
#include "recording/SampleTableBuilder.h"

namespace plover {

const char* FieldName(Field field) {
  static const char* const kNames[kFieldCount] = {
      "ts",           "status",       "latitude",  "longitude", "altitude", "own",        "satellites",
      "speed1",       "speed2",       "speed3",    "speed4",    "speed5",   "radar_own",  "radar_target",
      "camera1",      "camera2",      "camera3",   "camera4",   "camera5",  "microphone", "audio_mute",
      "temperature1", "temperature2", "file_name", "cue_text"};
  const auto index = static_cast<size_t>(field);
  return index < kFieldCount ? kNames[index] : "?";
}

double TextNumber(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  bool minus = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    minus = text.front() == '-';
    text.remove_prefix(1);
  }
  size_t end = 0;
  while (end < text.size() && ((text[end] >= '0' && text[end] <= '9') || text[end] == '.')) ++end;
  const std::optional<double> value = ReadDecimal(text.substr(0, end));
  if (!value) return std::nan("");
  return minus ? -*value : *value;
}

double Sample::Speed(int which) const {
  if (which == 0) return TextNumber((*this)[Field::kOwn]);
  if (which < 1 || which > 5) return std::nan("");
  return TextNumber(texts[static_cast<size_t>(Field::kSpeed1) + static_cast<size_t>(which - 1)]);
}

double Sample::Temperature(int which) const {
  if (which < 1 || which > 2) return std::nan("");
  // The element as written: its content is the number.
  std::string_view text = texts[static_cast<size_t>(Field::kTemperature1) + static_cast<size_t>(which - 1)];
  const size_t open = text.find('>');
  if (open != std::string_view::npos) text = text.substr(open + 1);
  return TextNumber(text);
}

std::vector<std::string_view> Sample::Lines() const {
  std::vector<std::string_view> lines;
  std::string_view text = (*this)[Field::kCueText];
  while (!text.empty()) {
    const size_t end = text.find('\n');
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

std::vector<double> SampleTable::Numbers(Field field) const {
  std::vector<double> numbers(size(), std::nan(""));
  const std::vector<TextId>& ids = TextIds(field);
  if (ids.empty()) return numbers;
  // Equal texts share a number: each distinct text is read once.
  std::vector<double> byId(pool_->size(), 0.0);
  std::vector<bool> known(pool_->size(), false);
  const bool element = field == Field::kTemperature1 || field == Field::kTemperature2;
  for (size_t row = 0; row < ids.size(); ++row) {
    const TextId id = ids[row];
    if (!known[id]) {
      std::string_view text = (*pool_)[id];
      if (element && text.find('>') != std::string_view::npos) text = text.substr(text.find('>') + 1);
      byId[id] = TextNumber(text);
      known[id] = true;
    }
    numbers[row] = byId[id];
  }
  return numbers;
}

Sample SampleTable::operator[](size_t row) const {
  Sample s;
  s.row = row;
  s.key = keys_[row];
  s.number = numbers_[row];
  s.utcMs = utcMs_[row];
  s.writtenMs = writtenMs_[row];
  s.endMs = endMs_[row];
  for (size_t f = 0; f < kFieldCount; ++f) {
    if (!texts_[f].empty()) s.texts[f] = (*pool_)[texts_[f][row]];
  }
  if (!std::isnan(latitudes_[row])) s.position = Position{latitudes_[row], longitudes_[row]};
  s.inputs = inputs_[row];
  return s;
}

Sample SampleTable::at(size_t row) const {
  if (row >= size()) {
    throw Error(ErrorCode::kBadArgument,
                "no sample " + std::to_string(row) + ": the recording has " + std::to_string(size()));
  }
  return (*this)[row];
}

size_t SampleTable::MemoryBytes() const {
  size_t bytes = keys_.capacity() * sizeof(uint64_t) + numbers_.capacity() * sizeof(uint32_t) +
                 (utcMs_.capacity() + writtenMs_.capacity() + endMs_.capacity()) * sizeof(int64_t) +
                 (latitudes_.capacity() + longitudes_.capacity()) * sizeof(double) +
                 inputs_.capacity() * sizeof(uint32_t);
  for (const std::vector<TextId>& column : texts_) bytes += column.capacity() * sizeof(TextId);
  return bytes;
}

SampleTableBuilder::SampleTableBuilder(SampleTable& table, TextPool& pool) : table_(table), pool_(pool) {
  table_.pool_ = &pool_;
}

void SampleTableBuilder::Append(uint64_t key, uint32_t number, int64_t writtenMs, int64_t endMs, const Texts& texts) {
  table_.keys_.push_back(key);
  table_.numbers_.push_back(number);
  table_.writtenMs_.push_back(writtenMs);
  table_.endMs_.push_back(endMs);
  for (size_t f = 0; f < kFieldCount; ++f) table_.texts_[f].push_back(texts[f]);
}

namespace {

template <typename T>
void Permute(std::vector<T>& column, const std::vector<size_t>& order) {
  std::vector<T> sorted;
  sorted.reserve(order.size());
  for (const size_t from : order) sorted.push_back(column[from]);
  column.swap(sorted);
}

// Input n on: character n of the status row is '1'.
uint32_t InputBits(std::string_view status) {
  uint32_t bits = 0;
  for (size_t i = 0; i < status.size() && i < 32; ++i) {
    if (status[i] == '1') bits |= 1u << i;
  }
  return bits;
}

}  // namespace

void SampleTableBuilder::Finish(bool keepOrder) {
  SampleTable& t = table_;
  const size_t rows = t.keys_.size();
  if (!keepOrder && !std::is_sorted(t.writtenMs_.begin(), t.writtenMs_.end())) {
    std::vector<size_t> order(rows);
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return t.writtenMs_[a] < t.writtenMs_[b]; });
    Permute(t.keys_, order);
    Permute(t.numbers_, order);
    Permute(t.writtenMs_, order);
    Permute(t.endMs_, order);
    for (std::vector<TextId>& column : t.texts_) Permute(column, order);
  }
  t.latitudes_.assign(rows, std::nan(""));
  t.longitudes_.assign(rows, std::nan(""));
  t.inputs_.assign(rows, 0);
  const std::vector<TextId>& lat = t.texts_[static_cast<size_t>(Field::kLatitude)];
  const std::vector<TextId>& lon = t.texts_[static_cast<size_t>(Field::kLongitude)];
  const std::vector<TextId>& status = t.texts_[static_cast<size_t>(Field::kStatus)];
  for (size_t row = 0; row < rows; ++row) {
    if (const std::optional<Position> p = ParsePosition(pool_[lat[row]], pool_[lon[row]])) {
      t.latitudes_[row] = p->latitude;
      t.longitudes_[row] = p->longitude;
    }
    t.inputs_[row] = InputBits(pool_[status[row]]);
  }
  for (std::vector<TextId>& column : t.texts_) {
    if (std::all_of(column.begin(), column.end(), [](TextId id) { return id == 0; })) {
      std::vector<TextId>().swap(column);
    } else {
      column.shrink_to_fit();
    }
  }
  t.keys_.shrink_to_fit();
  t.numbers_.shrink_to_fit();
  t.writtenMs_.shrink_to_fit();
  t.endMs_.shrink_to_fit();
  t.utcMs_.assign(rows, kNoTime);
  pool_.Freeze();
}

void SampleTableBuilder::ReadTimes(SampleTable& table, const TimeZone& zone, bool cues) {
  for (size_t row = 0; row < table.size(); ++row) {
    const int64_t written = table.writtenMs_[row];
    table.utcMs_[row] = cues || written == kNoTime ? kNoTime : zone.ToUtc(written);
  }
}

}  // namespace plover
