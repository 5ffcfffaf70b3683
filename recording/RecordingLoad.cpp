// The samples of each form, read through the library into the columns.
#include <algorithm>

#include "recording/RecordingState.h"
#include "recording/SampleTableBuilder.h"

namespace plover {

namespace {

unsigned char* Bytes(std::string& text) { return reinterpret_cast<unsigned char*>(text.data()); }
unsigned char* Bytes(std::string_view text) {
  // The library takes its input through non-const pointers but only reads it.
  return reinterpret_cast<unsigned char*>(const_cast<char*>(text.data()));
}

size_t Slot(Field field) { return static_cast<size_t>(field); }

int64_t WrittenOf(std::string_view ts) {
  const std::optional<int64_t> written = ParseStampTime(ts);
  return written ? *written : kNoTime;
}

// The content of an element as written: between its start tag and "</".
std::string_view Content(std::string_view element) {
  const size_t open = element.find('>');
  if (open == std::string_view::npos) return {};
  const size_t close = element.find("</", open);
  return element.substr(open + 1, close == std::string_view::npos ? std::string_view::npos : close - open - 1);
}

// The elements of a sample's canonical text that the display record does not
// carry: altitude and satellites (contents), camera, microphone and
// temperature states (whole elements).
void ReadIndexText(std::string_view text, TextPool& pool, SampleTableBuilder::Texts& texts) {
  static const struct {
    const char* prefix;
    Field field;
    bool whole;
  } kElements[] = {{"<Altitude", Field::kAltitude, false},        {"<Satelite", Field::kSatellites, false},
                   {"<CAM-STAT c1", Field::kCamera1, true},       {"<CAM-STAT c2", Field::kCamera2, true},
                   {"<CAM-STAT c3", Field::kCamera3, true},       {"<CAM-STAT c4", Field::kCamera4, true},
                   {"<CAM-STAT c5", Field::kCamera5, true},       {"<MIC-STAT", Field::kMicrophone, true},
                   {"<A-Mute", Field::kAudioMute, true},          {"<TEMP id=\"1\"", Field::kTemperature1, true},
                   {"<TEMP id=\"2\"", Field::kTemperature2, true}};
  // One element a line.
  while (!text.empty()) {
    const size_t end = text.find("\r\n");
    const std::string_view line = text.substr(0, end);
    for (const auto& element : kElements) {
      if (line.compare(0, std::char_traits<char>::length(element.prefix), element.prefix) == 0) {
        texts[Slot(element.field)] = pool.Add(element.whole ? line : Content(line));
        break;
      }
    }
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 2);
  }
}

// Points a document sample record's eleven texts at buffers 0 to 10.
void AttachSampleBuffers(_SP_INFO_OSD& record, TextBuffers& texts) {
  record.latitude = texts[0];
  record.longitude = texts[1];
  record.own = texts[2];
  for (size_t i = 0; i < 5; ++i) record.speed[i] = texts[3 + i];
  record.gStat = texts[8];
  record.ts = texts[9];
  record.fileName = texts[10];
}

// The display texts of a document sample or a binary record.
void KeepSampleTexts(const TextBuffers& texts, TextPool& pool, SampleTableBuilder::Texts& out, bool withFileName) {
  out[Slot(Field::kLatitude)] = pool.Add(texts.View(0));
  out[Slot(Field::kLongitude)] = pool.Add(texts.View(1));
  out[Slot(Field::kOwn)] = pool.Add(texts.View(2));
  for (size_t i = 0; i < 5; ++i) out[Slot(Field::kSpeed1) + i] = pool.Add(texts.View(3 + i));
  out[Slot(Field::kStatus)] = pool.Add(texts.View(8));
  out[Slot(Field::kTs)] = pool.Add(texts.View(9));
  if (withFileName) out[Slot(Field::kFileName)] = pool.Add(texts.View(10));
}

}  // namespace

void LoadDocument(Recording::State& state, std::string_view bytes) {
  CMetaParser& parser = *state.parser;
  if (parser.inputdata_xml(Bytes(bytes), static_cast<PMP_ULONG>(bytes.size()), state.name.c_str()) != 0) {
    throw Error(ErrorCode::kRefused, "the library refused " + state.path + " as a metadata document");
  }
  unsigned char probe[1];
  bool anySection = false;
  for (PMP_LONG type : {0, 1, 2}) anySection = anySection || parser.outdata_str(state.name.c_str(), type, probe, 1) > 0;
  if (!anySection) throw Error(ErrorCode::kEmpty, state.path + " holds no V-Info, F-Info or P-Info section");

  SampleTableBuilder builder(state.samples, state.pool);
  TextBuffers texts(11);
  std::string index(4096, '\0');
  uint64_t next = 0;
  for (;;) {
    std::fill(texts[0], texts[0] + 11 * kTextSize, '\0');
    _SP_INFO_OSD record = {};
    AttachSampleBuffers(record, texts);
    if (parser.outdata_pinfo_osd(next, 0, &record) != 1) break;
    const uint64_t key = record.sampleTime;
    SampleTableBuilder::Texts row{};
    KeepSampleTexts(texts, state.pool, row, true);
    // The whole sample as text, for what the display record leaves out.
    PMP_UINT64 found = 0;
    PMP_LONG number = 0;
    PMP_LONG length =
        parser.outdata_num(key, 0, 0, Bytes(index), static_cast<PMP_ULONG>(index.size()), &found, &number);
    if (length >= static_cast<PMP_LONG>(index.size())) {
      index.resize(static_cast<size_t>(length) + 1);
      length = parser.outdata_num(key, 0, 0, Bytes(index), static_cast<PMP_ULONG>(index.size()), &found, &number);
    }
    if (length > 0 && length < static_cast<PMP_LONG>(index.size())) {
      ReadIndexText(std::string_view(index.data(), static_cast<size_t>(length)), state.pool, row);
    }
    builder.Append(key, static_cast<uint32_t>(number), WrittenOf(texts.View(9)), kNoTime, row);
    next = key + 1;
    if (next == 0) break;  // the last possible key
  }
  builder.Finish(true);  // the library's order is time order
}

void LoadSecondGeneration(Recording::State& state) {
  CMetaParser& parser = *state.parser;
  const PMP_LONG option = state.form == Form::kContainer ? 0 : 1;
  const char* path = state.libraryPath.c_str();
  if (parser.inputdata_file(path, option) != 0) {
    throw Error(ErrorCode::kRefused, "cannot read " + state.path + " as a " + FormDescription(state.form));
  }
  SampleTableBuilder builder(state.samples, state.pool);
  TextBuffers texts(8);
  uint64_t next = 0;
  while (next <= UINT32_MAX) {
    std::fill(texts[0], texts[0] + 8 * kTextSize, '\0');
    _SP_INFO_OSD_MK2 record = {};
    record.ts = texts[0];
    record.gStat = texts[1];
    record.latitude = texts[2];
    record.longitude = texts[3];
    record.own = texts[4];
    record.radarOwn = texts[5];
    record.radarTarget = texts[6];
    record.fileName = texts[7];
    if (parser.outdata_pinfo_osd_mk2(path, static_cast<PMP_ULONG>(next), 0, &record) != 1) break;
    SampleTableBuilder::Texts row{};
    const Field fields[] = {Field::kTs,  Field::kStatus,   Field::kLatitude,    Field::kLongitude,
                            Field::kOwn, Field::kRadarOwn, Field::kRadarTarget, Field::kFileName};
    for (size_t i = 0; i < 8; ++i) row[Slot(fields[i])] = state.pool.Add(texts.View(i));
    // The library names the file it read: a repaired copy goes by the original's path.
    if (texts.View(7) == state.libraryPath) row[Slot(Field::kFileName)] = state.pool.Add(state.path);
    builder.Append(record.indexNumber, record.indexNumber, WrittenOf(texts.View(0)), kNoTime, row);
    next = static_cast<uint64_t>(record.indexNumber) + 1;
  }
  builder.Finish(false);
  // A file of another form may walk without error and yield nothing.
  _SF_INFO_OSD_MK2 probe = {};
  if (state.samples.empty() && parser.outdata_finfo_osd_mk2(path, &probe) != 1) {
    throw Error(ErrorCode::kEmpty, state.path + " holds nothing readable as a " + FormDescription(state.form));
  }
}

void LoadTrack(Recording::State& state, std::string_view bytes) {
  if (bytes.empty()) throw Error(ErrorCode::kEmpty, state.path + " is empty");
  CMetaParser& parser = *state.parser;
  parser.inputdata_VTT(Bytes(bytes), static_cast<PMP_ULONG>(bytes.size()));
  // The library answers by play time only; the cue times to ask at come
  // from the timing lines ("hh:mm:ss.ttt --> hh:mm:ss.ttt").
  struct Timing {
    uint64_t start, end;
  };
  std::vector<Timing> cues;
  const std::string_view text = bytes;
  for (size_t k = text.find(" -->"); k != std::string_view::npos; k = text.find(" -->", k + 4)) {
    if (k < 12 || k + 17 > text.size()) continue;
    const auto start = ParsePlayTime(text.substr(k - 12, 12));
    const auto end = ParsePlayTime(text.substr(k + 5, 12));
    if (start && end) cues.push_back({*start, *end});
  }
  std::stable_sort(cues.begin(), cues.end(), [](const Timing& a, const Timing& b) { return a.start < b.start; });
  cues.erase(std::unique(cues.begin(), cues.end(), [](const Timing& a, const Timing& b) { return a.start == b.start; }),
             cues.end());
  if (cues.empty()) throw Error(ErrorCode::kEmpty, state.path + " holds no cue with a readable timing line");

  SampleTableBuilder builder(state.samples, state.pool);
  auto info = std::make_unique<_VTT_OSD_INFO>();
  std::string lines;
  for (size_t i = 0; i < cues.size(); ++i) {
    info->lineCount = -1;
    if (parser.GetVTTData(FormatPlayTime(cues[i].start).c_str(), info.get()) != 0 || info->lineCount < 0) continue;
    lines.clear();
    for (int n = 0; n < info->lineCount && n < 17; ++n) {
      info->text[n][255] = '\0';
      if (n > 0) lines += '\n';
      lines += info->text[n];
    }
    SampleTableBuilder::Texts row{};
    row[Slot(Field::kCueText)] = state.pool.Add(lines);
    builder.Append(cues[i].start, static_cast<uint32_t>(i + 1), static_cast<int64_t>(cues[i].start),
                   static_cast<int64_t>(cues[i].end), row);
  }
  builder.Finish(true);
}

Error CutOffError(const Recording::State& state) {
  return Error(ErrorCode::kEmpty, state.path + " is cut off at byte " + std::to_string(state.recovery.cutAt) +
                                      " before its first complete " +
                                      (state.form == Form::kBinary ? "binary record (284 bytes)" : "sample") +
                                      ": no sample to recover");
}

void LoadBinary(Recording::State& state, std::string_view bytes) {
  // Records that end past the end of the file were cut off.
  if (bytes.size() % kBinaryRecordSize != 0) {
    state.recovery.cutOff = true;
    state.recovery.cutAt = bytes.size();
  }
  if (bytes.empty()) throw Error(ErrorCode::kEmpty, state.path + " is empty");
  CMetaParser& parser = *state.parser;
  SampleTableBuilder builder(state.samples, state.pool);
  const TextId fileName = state.pool.Add(state.name);
  const TimeZone machine = TimeZone::Machine();
  bool anyTime = false;
  TextBuffers texts(10);
  for (size_t offset = 0; offset + kBinaryRecordSize <= bytes.size(); offset += kBinaryRecordSize) {
    std::fill(texts[0], texts[0] + 10 * kTextSize, '\0');
    _SP_INFO_OSD record = {};
    AttachSampleBuffers(record, texts);
    record.fileName = nullptr;
    if (parser.inputdata_binary(Bytes(bytes) + offset, static_cast<PMP_ULONG>(kBinaryRecordSize), nullptr, 0, &record) <
        0) {
      throw Error(ErrorCode::kRefused,
                  "the library refused the binary record at byte " + std::to_string(offset) + " of " + state.path);
    }
    SampleTableBuilder::Texts row{};
    KeepSampleTexts(texts, state.pool, row, false);
    row[Slot(Field::kFileName)] = fileName;
    const int64_t written = WrittenOf(texts.View(9));
    anyTime = anyTime || written != kNoTime;
    // Records carry no key of the library's: the time read as the library
    // reads document times stands in.
    const uint64_t key = written == kNoTime ? 0 : static_cast<uint64_t>(machine.ToUtc(written));
    builder.Append(key, static_cast<uint32_t>(offset / kBinaryRecordSize + 1), written, kNoTime, row);
  }
  if (!anyTime) throw Error(ErrorCode::kEmpty, state.path + " holds no binary record whose time stamp reads");
  builder.Finish(false);
}

}  // namespace plover
