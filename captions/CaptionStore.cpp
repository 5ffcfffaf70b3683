// Cue intake and lookup.
//
// The track is not validated: a cue is found by its arrow " -->", the start
// time is the 12 bytes before the arrow, the end time the 12 bytes from 5
// bytes after the arrow's blank, the settings stand on the rest of that line,
// and the text is the CR LF terminated lines after it, up to an empty line,
// the next arrow or the end of the data.
//
// Every search goes forward from where the previous one stopped: the arrow
// that ends a cue's text is the arrow of the next cue, so it is found once.
#include "captions/CaptionStore.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "captions/CueTime.h"

namespace plover {

namespace {

constexpr std::string_view kArrow = " -->";
constexpr size_t kTimeLength = 12;
// The end time begins after the arrow and one separating byte.
constexpr size_t kEndTimeOffset = kArrow.size() + 1;
constexpr size_t kSettingsOffset = kEndTimeOffset + kTimeLength;
constexpr size_t kMaxLines = 17;
constexpr size_t kMaxLineLength = 255;
// Values of "align:" this long or longer are not read.
constexpr size_t kMaxAlignLength = 8;
// Longest number text of "position:" and "line:".
constexpr size_t kMaxPercentLength = 3;

enum Align : int { kAlignStart = 0, kAlignMiddle = 1, kAlignEnd = 2 };

// A track in bytes.  Every read is bounded by its length.
class Track {
 public:
  Track(const unsigned char* data, size_t length) : data_(reinterpret_cast<const char*>(data)), length_(length) {}

  size_t length() const { return length_; }
  char at(size_t i) const { return data_[i]; }
  const char* at_ptr(size_t i) const { return data_ + i; }

  // First index at or after `from` where `needle` begins, wholly inside
  // [from, limit); `limit` otherwise.  Looks for the needle's last byte,
  // which is the rare one in every needle used here.
  size_t Find(size_t from, size_t limit, std::string_view needle) const {
    limit = std::min(limit, length_);
    const size_t tail = needle.size() - 1;
    size_t i = from + tail;
    while (i < limit) {
      const void* hit = std::memchr(data_ + i, needle[tail], limit - i);
      if (hit == nullptr) break;
      i = static_cast<size_t>(static_cast<const char*>(hit) - data_);
      if (std::memcmp(data_ + i - tail, needle.data(), tail) == 0) return i - tail;
      ++i;
    }
    return limit;
  }

  // First index of `c` in [from, limit); `limit` otherwise.
  size_t FindByte(size_t from, size_t limit, char c) const {
    limit = std::min(limit, length_);
    if (from >= limit) return limit;
    const void* hit = std::memchr(data_ + from, c, limit - from);
    return hit == nullptr ? limit : static_cast<size_t>(static_cast<const char*>(hit) - data_);
  }

 private:
  const char* data_;
  size_t length_;
};

// The cue time in the 12 bytes [start, start + 12).  A time that would reach
// outside the track (an arrow within the first 12 or the last 17 bytes) does
// not scan: kCueTimeInvalid.  Nothing outside the track is read.
uint64_t ReadTime(const Track& track, size_t start) {
  if (start > track.length() || track.length() - start < kTimeLength) {
    return static_cast<uint64_t>(kCueTimeInvalid);
  }
  return static_cast<uint64_t>(ParseCueTime(track.at_ptr(start), kTimeLength));
}

uint64_t StartTime(const Track& track, size_t arrow) {
  if (arrow < kTimeLength) return static_cast<uint64_t>(kCueTimeInvalid);
  return ReadTime(track, arrow - kTimeLength);
}

// The alignment named by an "align:" value: the text after the colon up to
// the first blank or LF, of which only the first 8 bytes are looked at.  A
// value 8 bytes or longer is not read (start).  The CR of a CR LF belongs to
// the value, so "align:middle" ends well at the end of the line too.
int ReadAlign(std::string_view value) {
  if (value.size() >= kMaxAlignLength) return kAlignStart;
  if (value.find("start") != std::string_view::npos) return kAlignStart;
  if (value.find("middle") != std::string_view::npos) return kAlignMiddle;
  if (value.find("end") != std::string_view::npos) return kAlignEnd;
  return kAlignStart;
}

// The number of a "position:" or "line:" setting whose value starts at
// `from`: the text up to the next "%", read as by atol.  An empty value is 0.
// A value of more than 3 characters, or one without "%" on the timing line
// (which ends at `line_end`), lies outside the format and counts as no
// setting: 0.  At most 4 bytes are looked at, and only the value is copied.
int ReadPercent(const Track& track, size_t from, size_t line_end) {
  const size_t limit = std::min(line_end, from + kMaxPercentLength + 1);
  const size_t percent = track.FindByte(from, limit, '%');
  if (percent >= limit || percent == from) return 0;
  char value[kMaxPercentLength + 1] = {};
  std::memcpy(value, track.at_ptr(from), percent - from);
  return static_cast<int>(std::atol(value));
}

// The settings after the end time, from `from` to the first LF there (the
// end of the timing line) or the end of the track.  Each keyword is looked
// for on its own; a missing one sets its field to 0.
void ReadSettings(const Track& track, size_t from, CaptionCue* cue) {
  const size_t line_end = track.FindByte(from, track.length(), '\n');
  cue->align = kAlignStart;
  cue->position = 0;
  cue->line = 0;

  constexpr std::string_view kAlignKey = "align:";
  const size_t align = track.Find(from, line_end, kAlignKey);
  if (align != line_end) {
    const size_t value = align + kAlignKey.size();
    const size_t value_end = track.FindByte(value, std::min(line_end, value + kMaxAlignLength), ' ');
    cue->align = ReadAlign(std::string_view(track.at_ptr(value), value_end - value));
  }

  constexpr std::string_view kPositionKey = "position:";
  const size_t position = track.Find(from, line_end, kPositionKey);
  if (position != line_end) cue->position = ReadPercent(track, position + kPositionKey.size(), line_end);

  constexpr std::string_view kLineKey = "line:";
  const size_t line = track.Find(from, line_end, kLineKey);
  if (line != line_end) cue->line = ReadPercent(track, line + kLineKey.size(), line_end);
}

// Reads the text lines in [start, region_end) into `cue`: CR LF terminated,
// up to an empty line, a line without LF or the 17th line.  Returns where
// reading stopped: after the 17th line, or the start of the line that ended
// the text.  Either lies at or before the arrow that ends the region.
size_t ReadLines(const Track& track, size_t start, size_t region_end, CaptionCue* cue) {
  // A line's last byte e lies below region_end and is followed by an LF.
  // The byte at region_end is an arrow's blank or past the track, so that
  // LF lies below region_end as well.
  cue->lines.clear();
  size_t s = start;
  while (cue->lines.size() < kMaxLines) {
    // The LF must come after the line's first byte: e = lf - 1 >= s.
    const size_t lf = track.FindByte(s + 1, region_end, '\n');
    if (lf >= region_end) break;
    const size_t e = lf - 1;
    const size_t size = e - s;  // the byte at e, the CR, is dropped
    if (size == 0) break;
    const size_t stored = std::min(size, kMaxLineLength);
    const size_t text = track.FindByte(s, s + stored, '\0') - s;
    cue->lines.push_back(CueLine{std::string(track.at_ptr(s), text), static_cast<int32_t>(stored + 1)});
    s = lf + 1;
  }
  return s;
}

}  // namespace

int32_t CaptionStore::inputdata_VTT(const unsigned char* data, uint32_t length) {
  const Track track(data, length);
  CaptionCue cue;
  // The last cue stored; the end marker copies it.
  const CaptionCue* last = nullptr;

  // An arrow counts when at least one byte follows its separator.
  auto usable = [&](size_t k) { return k < track.length() && k + kEndTimeOffset < track.length(); };
  size_t arrow = track.Find(0, track.length(), kArrow);
  while (usable(arrow)) {
    const size_t k = arrow;
    cue.startTime = StartTime(track, k);
    cue.endTime = ReadTime(track, k + kEndTimeOffset);
    ReadSettings(track, k + kSettingsOffset, &cue);

    // The text starts after the timing line's LF and ends at the next arrow.
    // No arrow starts between the text start and that arrow, so it is also
    // the next cue's arrow whatever line reading leaves behind.
    const size_t line_end = track.FindByte(k, track.length(), '\n');
    const size_t text_start = std::min(line_end + 1, track.length());
    const size_t region_end = track.Find(text_start, track.length(), kArrow);
    const size_t stop = ReadLines(track, text_start, region_end, &cue);

    // A later cue with the same start time replaces the earlier one.
    last = &cues_.insert_or_assign(cue.startTime, std::move(cue)).first->second;
    cue = CaptionCue();

    if (stop >= track.length()) break;
    arrow = region_end;
  }

  if (cues_.find(kEndMarker) == cues_.end()) cues_.emplace(kEndMarker, last != nullptr ? *last : CaptionCue());
  return 0;
}

int32_t CaptionStore::GetVTTData(const char* key, _VTT_OSD_INFO* record) const {
  if (key == nullptr) return -1;
  const int64_t time = ParseCueTime(key);
  if (time == kCueTimeInvalid || cues_.empty() || record == nullptr) return -1;
  // Times compare as unsigned, like the keys.
  const uint64_t t = static_cast<uint64_t>(time);

  // The latest cue starting at or before t; the first entry when none does.
  auto it = cues_.lower_bound(t);
  if (it == cues_.end() || (it != cues_.begin() && it->first != t)) --it;
  const CaptionCue& cue = it->second;
  if (t < cue.startTime || t > cue.endTime) return 0;

  record->align = cue.align;
  record->position = cue.position;
  record->line = cue.line;
  record->lineCount = static_cast<int>(cue.lines.size());
  // Slots of empty lines and beyond the line count stay as the caller had them.
  for (size_t i = 0; i < cue.lines.size(); ++i) {
    const CueLine& line = cue.lines[i];
    if (line.text.empty()) continue;
    std::memcpy(record->text[i], line.text.c_str(), line.text.size() + 1);
    record->textSize[i] = line.size;
  }
  return 0;
}

void CaptionStore::ClearVTTData() { cues_.clear(); }

}  // namespace plover
