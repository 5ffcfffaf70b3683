#include "Recording.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "Markup.h"
#include "PloverMetaParser.h"
#include "TimeText.h"
#include "ToolError.h"

namespace plovermeta {

namespace {

// Every display buffer the tool hands the library holds this many bytes; the
// library is told so with SetOsdInfoSize / SetOsdInfoSizeMk2.
constexpr size_t kTextSize = 256;

// `count` zeroed text buffers of kTextSize bytes.
class TextBuffers {
 public:
  explicit TextBuffers(size_t count) : bytes_(count * kTextSize, '\0') {}
  char* operator[](size_t i) { return &bytes_[i * kTextSize]; }
  std::string Text(size_t i) const { return std::string(&bytes_[i * kTextSize]); }

 private:
  std::vector<char> bytes_;
};

std::string ReadWholeFile(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) throw InputError("no such file: " + path);
  if (std::filesystem::is_directory(path, error)) throw InputError("a folder, not a file: " + path);
  std::ifstream in(path, std::ios::binary);
  if (!in) throw InputError("cannot open " + path);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw InputError("cannot read " + path);
  return bytes;
}

// The first `limit` bytes of a file, and its size.
std::string ReadHead(const std::string& path, size_t limit, uint64_t& size) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) throw InputError("no such file: " + path);
  if (std::filesystem::is_directory(path, error)) throw InputError("a folder, not a file: " + path);
  size = std::filesystem::file_size(path, error);
  if (error) throw InputError("cannot read " + path);
  std::ifstream in(path, std::ios::binary);
  if (!in) throw InputError("cannot open " + path);
  std::string head(static_cast<size_t>(std::min<uint64_t>(size, limit)), '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<size_t>(in.gcount()));
  return head;
}

unsigned char* Bytes(std::string& text) { return reinterpret_cast<unsigned char*>(text.data()); }

std::string Trim(const std::string& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
  while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  return text.substr(begin, end - begin);
}

// A time text of a sample (TS) read at its columns, with or without
// milliseconds.
std::optional<uint64_t> TimeOfStamp(const std::string& ts) {
  if (ts.size() >= 23) {
    if (auto ms = ParseLocalTime(ts.substr(0, 23))) return ms;
  }
  if (ts.size() >= 19) return ParseLocalTime(ts.substr(0, 19));
  return std::nullopt;
}

// The first-match rule of the library's time search over a sorted vector:
// exact or the one before (`before`), else the first at or after.
template <typename T, typename KeyOf>
const T* Seek(const std::vector<T>& items, uint64_t key, bool before, KeyOf keyOf) {
  auto found =
      std::lower_bound(items.begin(), items.end(), key, [&](const T& item, uint64_t k) { return keyOf(item) < k; });
  if (!before) return found == items.end() ? nullptr : &*found;
  if (found != items.end() && keyOf(*found) == key) return &*found;
  if (found == items.begin()) return nullptr;
  return &*std::prev(found);
}

}  // namespace

std::string Officer::Display() const {
  std::string text = id;
  for (const std::string* part : {&first, &middle, &last}) {
    if (part->empty()) continue;
    if (!text.empty()) text += ' ';
    text += *part;
  }
  return text;
}

Recording::Recording() = default;
Recording::Recording(Recording&&) noexcept = default;
Recording& Recording::operator=(Recording&&) noexcept = default;
Recording::~Recording() = default;

Recording Recording::Open(const std::string& path, std::optional<FileForm> form) {
  Recording recording;
  recording.path_ = path;
  recording.key_ = std::filesystem::path(path).filename().string();
  if (form) {
    recording.form_ = *form;
  } else {
    uint64_t size = 0;
    const std::string head = ReadHead(path, 65536, size);
    const std::optional<FileForm> detected = DetectForm(head, size);
    if (!detected) {
      throw InputError("cannot tell what " + path +
                       " holds (not a metadata document, second-generation file, WebVTT track or binary record; "
                       "name it with --form)");
    }
    recording.form_ = *detected;
  }
  recording.parser_ = std::make_unique<CMetaParser>();
  recording.parser_->SetOsdInfoSize(kTextSize);
  recording.parser_->SetOsdInfoSizeMk2(kTextSize);
  recording.Load();
  return recording;
}

void Recording::Load() {
  switch (form_) {
    case FileForm::kDocument: {
      std::string bytes = ReadWholeFile(path_);
      if (parser_->inputdata_xml(Bytes(bytes), static_cast<PMP_ULONG>(bytes.size()), key_.c_str()) != 0) {
        throw InputError("the library refused " + path_ + " as a metadata document");
      }
      unsigned char probe[1];
      bool anySection = false;
      for (long type : {0L, 1L, 2L}) anySection = anySection || parser_->outdata_str(key_.c_str(), type, probe, 1) > 0;
      if (!anySection) throw InputError(path_ + " holds no V-Info, F-Info or P-Info section");
      break;
    }
    case FileForm::kContainer:
    case FileForm::kTextFile: {
      std::error_code error;
      if (!std::filesystem::exists(path_, error)) throw InputError("no such file: " + path_);
      const long option = form_ == FileForm::kContainer ? 0 : 1;
      if (parser_->inputdata_file(path_.c_str(), option) != 0) {
        throw InputError("cannot read " + path_ + " as a " + FormDescription(form_));
      }
      // A file of another form may walk without error and yield nothing.
      _SF_INFO_OSD_MK2 probe = {};
      if (parser_->outdata_finfo_osd_mk2(path_.c_str(), &probe) != 1 && !Mk2Sample(0, 0)) {
        throw InputError(path_ + " holds nothing readable as a " + FormDescription(form_));
      }
      break;
    }
    case FileForm::kTrack: {
      std::string bytes = ReadWholeFile(path_);
      if (bytes.empty()) throw InputError(path_ + " is empty");
      parser_->inputdata_VTT(Bytes(bytes), static_cast<PMP_ULONG>(bytes.size()));
      // The library answers by play time only; the cue times to ask at come
      // from the timing lines ("hh:mm:ss.ttt --> hh:mm:ss.ttt").
      for (size_t k = bytes.find(" -->"); k != std::string::npos; k = bytes.find(" -->", k + 4)) {
        if (k < 12 || k + 17 > bytes.size()) continue;
        const auto start = ParsePlayTime(bytes.substr(k - 12, 12));
        const auto end = ParsePlayTime(bytes.substr(k + 5, 12));
        if (start && end) cues_.push_back({*start, *end});
      }
      std::sort(cues_.begin(), cues_.end(), [](const CueTiming& a, const CueTiming& b) { return a.start < b.start; });
      cues_.erase(std::unique(cues_.begin(), cues_.end(),
                              [](const CueTiming& a, const CueTiming& b) { return a.start == b.start; }),
                  cues_.end());
      if (cues_.empty()) throw InputError(path_ + " holds no cue with a readable timing line");
      break;
    }
    case FileForm::kBinary: {
      std::string bytes = ReadWholeFile(path_);
      if (bytes.size() < kBinaryRecordSize) {
        throw InputError(path_ + " is shorter than one binary sample record (284 bytes)");
      }
      for (size_t offset = 0; offset + kBinaryRecordSize <= bytes.size(); offset += kBinaryRecordSize) {
        TextBuffers texts(10);
        _SP_INFO_OSD record = {};
        record.latitude = texts[0];
        record.longitude = texts[1];
        record.own = texts[2];
        for (size_t i = 0; i < 5; ++i) record.speed[i] = texts[3 + i];
        record.gStat = texts[8];
        record.ts = texts[9];
        if (parser_->inputdata_binary(Bytes(bytes) + offset, static_cast<PMP_ULONG>(kBinaryRecordSize), nullptr, 0,
                                      &record) < 0) {
          throw InputError("the library refused the binary record at byte " + std::to_string(offset) + " of " + path_);
        }
        Sample sample;
        sample.latitude = texts.Text(0);
        sample.longitude = texts.Text(1);
        sample.own = texts.Text(2);
        for (size_t i = 0; i < 5; ++i) sample.speeds[i] = texts.Text(3 + i);
        sample.gStat = texts.Text(8);
        sample.ts = texts.Text(9);
        sample.fileName = key_;
        if (auto ms = TimeOfStamp(sample.ts)) {
          sample.timeMs = *ms;
          sample.hasTime = true;
        }
        sample.key = sample.timeMs;
        binarySamples_.push_back(sample);
      }
      if (std::none_of(binarySamples_.begin(), binarySamples_.end(), [](const Sample& s) { return s.hasTime; })) {
        throw InputError(path_ + " holds no binary record whose time stamp reads");
      }
      std::stable_sort(binarySamples_.begin(), binarySamples_.end(),
                       [](const Sample& a, const Sample& b) { return a.key < b.key; });
      break;
    }
  }
}

std::optional<Sample> Recording::DocumentSample(uint64_t time, long sel) const {
  TextBuffers texts(11);
  _SP_INFO_OSD record = {};
  record.latitude = texts[0];
  record.longitude = texts[1];
  record.own = texts[2];
  for (size_t i = 0; i < 5; ++i) record.speed[i] = texts[3 + i];
  record.gStat = texts[8];
  record.ts = texts[9];
  record.fileName = texts[10];
  if (parser_->outdata_pinfo_osd(time, sel, &record) != 1) return std::nullopt;
  Sample sample;
  sample.key = record.sampleTime;
  sample.timeMs = record.sampleTime;
  sample.hasTime = true;
  sample.latitude = texts.Text(0);
  sample.longitude = texts.Text(1);
  sample.own = texts.Text(2);
  for (size_t i = 0; i < 5; ++i) sample.speeds[i] = texts.Text(3 + i);
  sample.gStat = texts.Text(8);
  sample.ts = texts.Text(9);
  sample.fileName = texts.Text(10);
  return sample;
}

std::optional<Sample> Recording::Mk2Sample(uint32_t position, long sel) const {
  TextBuffers texts(8);
  _SP_INFO_OSD_MK2 record = {};
  record.ts = texts[0];
  record.gStat = texts[1];
  record.latitude = texts[2];
  record.longitude = texts[3];
  record.own = texts[4];
  record.radarOwn = texts[5];
  record.radarTarget = texts[6];
  record.fileName = texts[7];
  if (parser_->outdata_pinfo_osd_mk2(path_.c_str(), position, sel, &record) != 1) return std::nullopt;
  Sample sample;
  sample.key = record.indexNumber;
  sample.timeMs = record.sampleTime > 0 ? static_cast<uint64_t>(record.sampleTime) * 1000 : 0;
  sample.hasTime = record.sampleTime > 0;
  sample.ts = texts.Text(0);
  sample.gStat = texts.Text(1);
  sample.latitude = texts.Text(2);
  sample.longitude = texts.Text(3);
  sample.own = texts.Text(4);
  sample.radarOwn = texts.Text(5);
  sample.radarTarget = texts.Text(6);
  sample.fileName = texts.Text(7);
  return sample;
}

std::optional<Sample> Recording::CueAt(uint64_t playMs) const {
  // The cue the library would answer: the latest start at or before the
  // time; the library then says whether it still covers the time.
  const CueTiming* timing = Seek(cues_, playMs, true, [](const CueTiming& cue) { return cue.start; });
  auto info = std::make_unique<_VTT_OSD_INFO>();
  info->lineCount = -1;
  const std::string key = FormatPlayTime(playMs);
  if (parser_->GetVTTData(key.c_str(), info.get()) != 0 || info->lineCount < 0) return std::nullopt;
  Sample sample;
  if (timing != nullptr) {
    sample.key = timing->start;
    sample.timeMs = timing->start;
    sample.endMs = timing->end;
  }
  sample.hasTime = true;
  for (int i = 0; i < info->lineCount && i < 17; ++i) {
    info->text[i][255] = '\0';
    sample.lines.emplace_back(info->text[i]);
  }
  return sample;
}

std::vector<Sample> Recording::Samples() const {
  std::vector<Sample> samples;
  switch (form_) {
    case FileForm::kDocument: {
      uint64_t next = 0;
      while (auto sample = DocumentSample(next, 0)) {
        next = sample->key + 1;
        samples.push_back(std::move(*sample));
        if (next == 0) break;  // the last possible key
      }
      break;
    }
    case FileForm::kContainer:
    case FileForm::kTextFile: {
      uint64_t next = 0;
      while (next <= UINT32_MAX) {
        auto sample = Mk2Sample(static_cast<uint32_t>(next), 0);
        if (!sample) break;
        next = sample->key + 1;
        samples.push_back(std::move(*sample));
      }
      break;
    }
    case FileForm::kTrack:
      for (const CueTiming& cue : cues_) {
        if (auto sample = CueAt(cue.start)) samples.push_back(std::move(*sample));
      }
      break;
    case FileForm::kBinary:
      samples = binarySamples_;
      break;
  }
  return samples;
}

std::optional<Sample> Recording::At(uint64_t key, bool before) const {
  switch (form_) {
    case FileForm::kDocument:
      return DocumentSample(key, before ? 1 : 0);
    case FileForm::kContainer:
    case FileForm::kTextFile:
      if (key > UINT32_MAX) return before ? Mk2Sample(UINT32_MAX, 1) : std::nullopt;
      return Mk2Sample(static_cast<uint32_t>(key), before ? 1 : 0);
    case FileForm::kTrack:
      return CueAt(key);
    case FileForm::kBinary: {
      const Sample* found = Seek(binarySamples_, key, before, [](const Sample& s) { return s.key; });
      if (found == nullptr) return std::nullopt;
      return *found;
    }
  }
  return std::nullopt;
}

namespace {

Login ReadLogin(const _SLOGIN_INFO_OSD& record, TextBuffers& texts) {
  Login login;
  for (size_t i = 0; i < 5; ++i) login.fields[i] = texts.Text(i);
  for (size_t n = 0; n < 2; ++n) {
    login.officers[n].id = texts.Text(5 + n);
    login.officers[n].first = texts.Text(7 + n);
    login.officers[n].middle = texts.Text(9 + n);
    login.officers[n].last = texts.Text(11 + n);
  }
  login.fileName = texts.Text(13);
  login.timeS = record.loginTime;
  return login;
}

// Points the record's 14 text fields at `texts` 0 to 13, in field order.
void AttachLoginBuffers(_SLOGIN_INFO_OSD& record, TextBuffers& texts) {
  for (size_t i = 0; i < 5; ++i) record.field[i] = texts[i];
  for (size_t n = 0; n < 2; ++n) {
    record.officerId[n] = texts[5 + n];
    record.firstName[n] = texts[7 + n];
    record.middleName[n] = texts[9 + n];
    record.lastName[n] = texts[11 + n];
  }
  record.fileName = texts[13];
}

}  // namespace

std::optional<Login> Recording::LoginAt(uint64_t epochMs) const {
  if (form_ != FileForm::kDocument) return std::nullopt;
  TextBuffers texts(14);
  _SLOGIN_INFO_OSD record = {};
  AttachLoginBuffers(record, texts);
  if (parser_->outdata_loginInfo_osd(epochMs / 1000, 1, &record) != 1) return std::nullopt;
  return ReadLogin(record, texts);
}

std::vector<Login> Recording::Logins() const {
  std::vector<Login> logins;
  if (form_ != FileForm::kDocument) return logins;
  uint64_t next = 0;
  while (next <= UINT32_MAX) {
    TextBuffers texts(14);
    _SLOGIN_INFO_OSD record = {};
    AttachLoginBuffers(record, texts);
    if (parser_->outdata_loginInfo_osd(next, 0, &record) != 1) break;
    logins.push_back(ReadLogin(record, texts));
    next = record.loginTime + 1;
  }
  return logins;
}

std::string Recording::Section(long type) const {
  if (form_ != FileForm::kDocument) return {};
  // A section comes back whole; its size is asked first.
  unsigned char probe[1];
  const PMP_LONG needed = parser_->outdata_str(key_.c_str(), type, probe, 1);
  if (needed <= 1) return {};
  std::string text(static_cast<size_t>(needed), '\0');
  const PMP_LONG length = parser_->outdata_str(key_.c_str(), type, Bytes(text), static_cast<PMP_ULONG>(text.size()));
  if (length <= 0 || length >= needed) return {};
  text.resize(static_cast<size_t>(length));
  return text;
}

DeviceInfo Recording::Device() const {
  DeviceInfo device;
  const std::string text = Section(0);
  if (text.empty()) return device;
  device.firmware = Trim(ElementContent(text, "FirmwareVersion"));
  device.model = ElementAttribute(text, "Recorder", "model");
  device.serial = ElementAttribute(text, "Recorder", "serial");
  device.slotCard = ElementAttribute(text, "Slot1", "sd");
  device.slotSerial = ElementAttribute(text, "Slot1", "serial");
  device.wlanMac = ElementAttribute(text, "MACAddress", "wlan0");
  return device;
}

DocumentSettings Recording::Settings() const {
  DocumentSettings settings;
  if (form_ != FileForm::kDocument) return settings;
  TextBuffers texts(139);
  _SF_INFO_OSD record = {};
  size_t slot = 0;
  auto bind = [&](char*& field) { field = texts[slot++]; };
  auto bindAll = [&](char** fields, size_t count) {
    for (size_t i = 0; i < count; ++i) bind(fields[i]);
  };
  // Slots in record order.
  bind(record.timeZoneRule);
  bind(record.styleType);
  bind(record.style);
  bindAll(record.cameraName, 5);
  bindAll(record.osdMaster, 5);
  bindAll(record.osdDate, 5);
  bindAll(record.osdField, 5);
  bindAll(record.osdTrigger, 5);
  bindAll(record.osdPos, 5);
  bindAll(record.optionFieldId, 10);
  bindAll(record.optionLen, 10);
  bindAll(record.separatorMark, 5);
  bind(record.triggerSw);
  bindAll(record.gpiIcon, 16);
  bindAll(record.gpiRefTrigger, 16);
  bind(record.speedTriggerSw);
  bindAll(record.sTriggerIcon, 5);
  bind(record.speedUnit);
  bindAll(record.speedType, 5);
  bind(record.cameraId);
  bindAll(record.aspect, 5);
  bindAll(record.recordingMode, 5);
  bindAll(record.recordingResolution, 5);
  bindAll(record.recordingBps, 5);
  bindAll(record.recordingFps, 5);
  bindAll(record.recordingAudioBps, 5);
  bindAll(record.fov, 5);
  if (parser_->outdata_finfo_osd(key_.c_str(), &record) != 1) return settings;
  settings.timeZoneRule = texts.Text(0);
  settings.style = texts.Text(2);
  settings.triggerSw = texts.Text(58);
  settings.speedTriggerSw = texts.Text(91);
  settings.speedUnit = texts.Text(97);
  settings.cameraId = texts.Text(103);
  for (size_t n = 0; n < 5; ++n) {
    CameraSettings& camera = settings.cameras[n];
    camera.name = texts.Text(3 + n);
    camera.speedType = texts.Text(98 + n);
    camera.aspect = texts.Text(104 + n);
    camera.mode = texts.Text(109 + n);
    camera.resolution = texts.Text(114 + n);
    camera.bps = texts.Text(119 + n);
    camera.fps = texts.Text(124 + n);
    camera.audioBps = texts.Text(129 + n);
    camera.fov = texts.Text(134 + n);
  }
  return settings;
}

std::vector<std::string> Recording::Files(int dataType, int channel) const {
  std::vector<std::string> names;
  if (form_ != FileForm::kDocument) return names;
  _META_VO_SFILELIST* list = nullptr;
  int count = 0;
  if (parser_->GetAv3File(dataType, channel, &list, &count, key_.c_str()) != 1) return names;
  for (int i = 0; i < count && list != nullptr; ++i) {
    const char* name = list[i].fileName;
    names.emplace_back(name, static_cast<size_t>(std::find(name, name + sizeof list[i].fileName, '\0') - name));
  }
  ReleaseAv3FileList(list);
  return names;
}

FileInfoMk2 Recording::FileInfo() const {
  FileInfoMk2 info;
  if (form_ != FileForm::kContainer && form_ != FileForm::kTextFile) return info;
  TextBuffers texts(60);
  _SF_INFO_OSD_MK2 record = {};
  record.fileName = texts[0];
  record.timeZoneGmt = texts[1];
  for (size_t n = 0; n < 2; ++n) {
    record.officerId[n] = texts[12 + n];
    record.firstName[n] = texts[14 + n];
    record.middleName[n] = texts[16 + n];
    record.lastName[n] = texts[18 + n];
  }
  record.shiftPattern = texts[20];
  record.vId = texts[21];
  record.area = texts[22];
  record.unitName = texts[23];
  record.agency = texts[24];
  record.rSpeedUnit = texts[58];
  record.timeZone = texts[59];
  if (parser_->outdata_finfo_osd_mk2(path_.c_str(), &record) != 1) return info;
  info.fileName = texts.Text(0);
  info.timeZone = texts.Text(1).empty() ? texts.Text(59) : texts.Text(1);
  for (size_t n = 0; n < 2; ++n) {
    info.officers[n].id = texts.Text(12 + n);
    info.officers[n].first = texts.Text(14 + n);
    info.officers[n].middle = texts.Text(16 + n);
    info.officers[n].last = texts.Text(18 + n);
  }
  info.shiftPattern = texts.Text(20);
  info.vId = texts.Text(21);
  info.area = texts.Text(22);
  info.unitName = texts.Text(23);
  info.agency = texts.Text(24);
  info.speedUnit = texts.Text(58);
  return info;
}

std::string Recording::SpeedUnit() const {
  switch (form_) {
    case FileForm::kDocument:
      return Settings().speedUnit;
    case FileForm::kContainer:
    case FileForm::kTextFile:
      return FileInfo().speedUnit;
    default:
      return {};
  }
}

}  // namespace plovermeta
