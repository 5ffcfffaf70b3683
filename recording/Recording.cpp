#include "plover/Recording.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "recording/RecordingState.h"
#include "recording/Recovery.h"
#include "recording/SampleTableBuilder.h"

namespace plover {

namespace {

void CheckFile(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) throw Error(ErrorCode::kNoSuchFile, "no such file: " + path);
  if (std::filesystem::is_directory(path, error)) {
    throw Error(ErrorCode::kNoSuchFile, "a folder, not a file: " + path);
  }
}

std::string ReadWholeFile(const std::string& path) {
  CheckFile(path);
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Error(ErrorCode::kUnreadable, "cannot open " + path);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw Error(ErrorCode::kUnreadable, "cannot read " + path);
  return bytes;
}

// The first `limit` bytes of a file, and its size.
std::string ReadHead(const std::string& path, size_t limit, uint64_t& size) {
  CheckFile(path);
  std::error_code error;
  size = std::filesystem::file_size(path, error);
  if (error) throw Error(ErrorCode::kUnreadable, "cannot read " + path);
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Error(ErrorCode::kUnreadable, "cannot open " + path);
  std::string head(static_cast<size_t>(std::min<uint64_t>(size, limit)), '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<size_t>(in.gcount()));
  return head;
}

Form DetectOrThrow(std::string_view head, uint64_t size, const std::string& path) {
  const std::optional<Form> form = DetectForm(head, size);
  if (!form) {
    throw Error(ErrorCode::kUnknownForm,
                "cannot tell what " + path +
                    " holds (not a metadata document, second-generation file, WebVTT track or binary record; "
                    "name its form)");
  }
  return *form;
}

// The library's time search over rows ordered by `keyOf`: exact or the one
// before (kAtOrBefore; the last of all after every row), else the first at
// or after.
template <typename KeyOf>
std::optional<size_t> SeekRow(size_t rows, int64_t key, Seek seek, KeyOf keyOf) {
  size_t low = 0, high = rows;
  while (low < high) {
    const size_t mid = low + (high - low) / 2;
    if (keyOf(mid) < key) {
      low = mid + 1;
    } else {
      high = mid;
    }
  }
  if (seek == Seek::kAtOrAfter) return low == rows ? std::nullopt : std::optional<size_t>(low);
  if (low < rows && keyOf(low) == key) return low;
  if (low == 0) return std::nullopt;
  return low - 1;
}

// The zone a recording names: a document's rule, a second-generation file's
// GMT offset or zone.
std::string NamedZone(const Recording::State& state) {
  if (state.form == Form::kDocument) return state.settings.timeZoneRule;
  if (IsSecondGeneration(state.form)) {
    return state.fileInfo.timeZoneGmt.empty() ? state.fileInfo.timeZone : state.fileInfo.timeZoneGmt;
  }
  return {};
}

// The repaired copy of a cut-off second-generation file, which the library
// reads by path; removed once read.
class RepairedCopy {
 public:
  RepairedCopy(const std::string& bytes, const std::string& name) {
    static std::random_device random;
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    const std::filesystem::path path =
        folder / ("plover-recovered-" + std::to_string(random()) + "-" + std::to_string(random()) + "-" + name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    path_ = path.string();
    if (error || !out || !out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) || !out.flush()) {
      throw Error(ErrorCode::kUnreadable, "cannot write the repaired copy of cut-off " + name + " as " + path_);
    }
  }
  RepairedCopy(const RepairedCopy&) = delete;
  RepairedCopy& operator=(const RepairedCopy&) = delete;
  ~RepairedCopy() {
    std::error_code error;
    std::filesystem::remove(path_, error);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

void LoadForm(Recording::State& state, std::string_view bytes) {
  std::optional<RepairedCopy> copy;
  std::string repairedBytes;
  if (state.form != Form::kTrack && state.form != Form::kBinary) {
    std::optional<std::string> repaired = state.form == Form::kContainer ? RepairContainer(bytes) : RepairTagged(bytes);
    if (repaired) {
      state.recovery.cutOff = true;
      state.recovery.cutAt = bytes.size();
      repairedBytes = std::move(*repaired);
      bytes = repairedBytes;
      if (IsSecondGeneration(state.form)) {
        copy.emplace(repairedBytes, state.name);
        state.libraryPath = copy->path();
      }
    }
  }
  switch (state.form) {
    case Form::kDocument:
      LoadDocument(state, bytes);
      state.settings = ReadSettings(*state.parser, state.name);
      state.device = ReadDevice(*state.parser, state.name);
      state.logins = ReadLogins(*state.parser);
      state.speedUnit = state.settings.speedUnit;
      break;
    case Form::kContainer:
    case Form::kTextFile:
      LoadSecondGeneration(state);
      state.fileInfo = ReadFileInfo(*state.parser, state.libraryPath);
      state.speedUnit = state.fileInfo.speedUnit;
      break;
    case Form::kTrack:
      LoadTrack(state, bytes);
      break;
    case Form::kBinary:
      LoadBinary(state, bytes);
      break;
  }
}

void Load(Recording::State& state, const OpenOptions& options, std::string_view bytes) {
  state.parser = std::make_unique<CMetaParser>();
  state.parser->SetOsdInfoSize(kTextSize);
  state.parser->SetOsdInfoSizeMk2(kTextSize);
  state.libraryPath = state.path;
  try {
    LoadForm(state, bytes);
  } catch (const Error&) {
    if (state.recovery.cutOff) throw CutOffError(state);
    throw;
  }
  if (state.recovery.cutOff) {
    if (state.samples.empty()) throw CutOffError(state);
    state.recovery.recovered = state.samples.size();
  }
  const std::vector<uint64_t>& keys = state.samples.keys();
  if (!std::is_sorted(keys.begin(), keys.end())) {
    state.rowsByKey.resize(keys.size());
    for (size_t row = 0; row < keys.size(); ++row) state.rowsByKey[row] = static_cast<uint32_t>(row);
    std::stable_sort(state.rowsByKey.begin(), state.rowsByKey.end(),
                     [&](uint32_t a, uint32_t b) { return keys[a] < keys[b]; });
  }

  TimeZone zone = TimeZone::Machine();
  ZoneOrigin origin = ZoneOrigin::kMachine;
  const std::string named = NamedZone(state);
  if (options.zone) {
    zone = *options.zone;
    origin = ZoneOrigin::kOverride;
  } else if (!named.empty()) {
    try {
      zone = TimeZone::Parse(named);
      origin = ZoneOrigin::kRecording;
    } catch (const Error& error) {
      throw Error(ErrorCode::kBadTimeZone,
                  state.path + ": " + error.what() + "; open it with OpenOptions::zone to read its times in a zone");
    }
  }
  if (state.form == Form::kTrack) origin = ZoneOrigin::kMachine;  // play times: no zone
  state.zone = zone;
  state.origin = origin;
}

void ReadTimes(Recording::State& state) {
  SampleTableBuilder::ReadTimes(state.samples, state.zone, state.form == Form::kTrack);
  const TimeZone machine = TimeZone::Machine();
  for (Login& login : state.logins) {
    // The library keys a log-in by its written time read in the machine's
    // zone: read back, it is the time as written.
    login.writtenMs = machine.ToWritten(static_cast<int64_t>(login.key) * 1000);
    login.utcMs = state.zone.ToUtc(login.writtenMs);
  }
}

}  // namespace

std::optional<size_t> Recording::State::RowOfKey(uint64_t key) const {
  const std::vector<uint64_t>& keys = samples.keys();
  if (rowsByKey.empty()) {
    const auto found = std::lower_bound(keys.begin(), keys.end(), key);
    if (found == keys.end() || *found != key) return std::nullopt;
    return static_cast<size_t>(found - keys.begin());
  }
  const auto found = std::lower_bound(rowsByKey.begin(), rowsByKey.end(), key,
                                      [&](uint32_t row, uint64_t k) { return keys[row] < k; });
  if (found == rowsByKey.end() || keys[*found] != key) return std::nullopt;
  return *found;
}

Recording::Recording(std::unique_ptr<State> state) : state_(std::move(state)) {}
Recording::Recording(Recording&&) noexcept = default;
Recording& Recording::operator=(Recording&&) noexcept = default;
Recording::~Recording() = default;

Recording Recording::Open(const std::string& path, const OpenOptions& options) {
  auto state = std::make_unique<State>();
  state->path = path;
  state->name = std::filesystem::path(path).filename().string();
  if (options.form) {
    state->form = *options.form;
  } else {
    uint64_t size = 0;
    const std::string head = ReadHead(path, 65536, size);
    state->form = DetectOrThrow(head, size, path);
  }
  // Second-generation files are read whole too, to tell whether they were
  // cut off; the library reads them again by path.
  const std::string bytes = ReadWholeFile(path);
  Load(*state, options, bytes);
  ReadTimes(*state);
  return Recording(std::move(state));
}

Recording Recording::FromBytes(std::string_view bytes, const std::string& name, const OpenOptions& options) {
  auto state = std::make_unique<State>();
  state->path = name;
  state->name = std::filesystem::path(name).filename().string();
  state->form = options.form ? *options.form : DetectOrThrow(bytes.substr(0, 65536), bytes.size(), name);
  if (IsSecondGeneration(state->form)) {
    throw Error(ErrorCode::kBadArgument, name + ": second-generation files are read from disk; open them by path");
  }
  Load(*state, options, bytes);
  ReadTimes(*state);
  return Recording(std::move(state));
}

Form Recording::form() const { return state_->form; }
const std::string& Recording::path() const { return state_->path; }
const std::string& Recording::name() const { return state_->name; }
const Recovery& Recording::recovery() const { return state_->recovery; }
const SampleTable& Recording::samples() const { return state_->samples; }
const TextPool& Recording::texts() const { return state_->pool; }
const TimeZone& Recording::timeZone() const { return state_->zone; }
ZoneOrigin Recording::zoneOrigin() const { return state_->origin; }

void Recording::SetTimeZone(const TimeZone& zone) {
  state_->zone = zone;
  state_->origin = ZoneOrigin::kOverride;
  ReadTimes(*state_);
}

std::optional<Sample> Recording::AtKey(uint64_t key, Seek seek) const {
  const State& s = *state_;
  const PMP_LONG sel = seek == Seek::kAtOrBefore ? 1 : 0;
  uint64_t found = 0;
  switch (s.form) {
    case Form::kDocument: {
      _SP_INFO_OSD record = {};  // no text wanted: the key says which sample
      if (s.parser->outdata_pinfo_osd(key, sel, &record) != 1) return std::nullopt;
      found = record.sampleTime;
      break;
    }
    case Form::kContainer:
    case Form::kTextFile: {
      _SP_INFO_OSD_MK2 record = {};
      if (key > UINT32_MAX) {
        if (seek == Seek::kAtOrAfter) return std::nullopt;
        key = UINT32_MAX;
      }
      if (s.parser->outdata_pinfo_osd_mk2(s.libraryPath.c_str(), static_cast<PMP_ULONG>(key), sel, &record) != 1) {
        return std::nullopt;
      }
      found = record.indexNumber;
      break;
    }
    case Form::kTrack: {
      // The cue the library answers: the latest start at or before the time,
      // when it still covers the time.
      auto info = std::make_unique<_VTT_OSD_INFO>();
      info->lineCount = -1;
      if (s.parser->GetVTTData(FormatPlayTime(key).c_str(), info.get()) != 0 || info->lineCount < 0) {
        return std::nullopt;
      }
      const std::vector<uint64_t>& keys = s.samples.keys();
      const auto after = std::upper_bound(keys.begin(), keys.end(), key);
      if (after == keys.begin()) return std::nullopt;
      found = *std::prev(after);
      break;
    }
    case Form::kBinary: {
      const std::vector<uint64_t>& keys = s.samples.keys();
      const auto asked = static_cast<int64_t>(std::min<uint64_t>(key, INT64_MAX));
      const std::optional<size_t> row =
          SeekRow(keys.size(), asked, seek, [&](size_t r) { return static_cast<int64_t>(keys[r]); });
      if (!row) return std::nullopt;
      return s.samples[*row];
    }
  }
  const std::optional<size_t> row = s.RowOfKey(found);
  if (!row) return std::nullopt;
  return s.samples[*row];
}

std::optional<Sample> Recording::AtWritten(int64_t writtenMs, Seek seek) const {
  const State& s = *state_;
  switch (s.form) {
    case Form::kDocument:
    case Form::kBinary: {
      // The asked time as the library keys times: the same local conversion.
      const int64_t key = TimeZone::Machine().ToUtc(writtenMs);
      if (key < 0) return seek == Seek::kAtOrAfter && !s.samples.empty() ? AtKey(0, seek) : std::nullopt;
      return AtKey(static_cast<uint64_t>(key), seek);
    }
    case Form::kContainer:
    case Form::kTextFile: {
      const std::vector<int64_t>& written = s.samples.writtenMs();
      const std::optional<size_t> row = SeekRow(written.size(), writtenMs, seek, [&](size_t r) { return written[r]; });
      if (!row || written[*row] == kNoTime) return std::nullopt;
      return s.samples[*row];
    }
    case Form::kTrack: {
      if (writtenMs < 0) return std::nullopt;
      const std::optional<Sample> cue = AtKey(static_cast<uint64_t>(writtenMs), seek);
      // A cue covers its start up to, not including, its end.
      if (cue && writtenMs >= cue->endMs) return std::nullopt;
      return cue;
    }
  }
  return std::nullopt;
}

std::optional<Sample> Recording::At(int64_t utcMs, Seek seek) const {
  if (state_->form == Form::kTrack) return AtWritten(utcMs, seek);
  return AtWritten(state_->zone.ToWritten(utcMs), seek);
}

const std::vector<Login>& Recording::logins() const { return state_->logins; }

std::optional<Login> Recording::LoginAt(int64_t utcMs) const {
  const State& s = *state_;
  if (s.logins.empty()) return std::nullopt;
  const int64_t key = TimeZone::Machine().ToUtc(s.zone.ToWritten(utcMs)) / 1000;
  if (key < 0) return std::nullopt;
  _SLOGIN_INFO_OSD record = {};
  if (s.parser->outdata_loginInfo_osd(static_cast<uint64_t>(key), 1, &record) != 1) return std::nullopt;
  const auto found = std::lower_bound(s.logins.begin(), s.logins.end(), record.loginTime,
                                      [](const Login& login, uint64_t k) { return login.key < k; });
  if (found == s.logins.end() || found->key != record.loginTime) return std::nullopt;
  return *found;
}

Osd Recording::OsdOf(const Sample& sample) const {
  Osd osd;
  osd.sample = sample;
  osd.speedUnit = state_->speedUnit;
  if (state_->form == Form::kDocument && sample.HasTime()) {
    osd.login = LoginAt(sample.utcMs);
    if (osd.login) osd.officers = OfficersText(osd.login->officers);
  } else if (IsSecondGeneration(state_->form)) {
    osd.officers = OfficersText(state_->fileInfo.officers);
  }
  return osd;
}

std::optional<Osd> Recording::OsdAt(int64_t utcMs, Seek seek) const {
  const std::optional<Sample> sample = At(utcMs, seek);
  if (!sample) return std::nullopt;
  return OsdOf(*sample);
}

const Device& Recording::device() const { return state_->device; }
const DocumentSettings& Recording::settings() const { return state_->settings; }
const FileInfo& Recording::fileInfo() const { return state_->fileInfo; }
const std::string& Recording::speedUnit() const { return state_->speedUnit; }

std::string Recording::RawSection(Section section) const {
  if (state_->form != Form::kDocument) return {};
  return ReadSection(*state_->parser, state_->name, static_cast<PMP_LONG>(section));
}

std::vector<std::string> Recording::Files(DataType type, int camera) const {
  std::vector<std::string> names;
  if (state_->form != Form::kDocument) return names;
  _META_VO_SFILELIST* list = nullptr;
  int count = 0;
  if (state_->parser->GetAv3File(static_cast<int>(type), camera, &list, &count, state_->name.c_str()) != 1) {
    return names;
  }
  for (int i = 0; i < count && list != nullptr; ++i) {
    const char* name = list[i].fileName;
    names.emplace_back(name, static_cast<size_t>(std::find(name, name + sizeof list[i].fileName, '\0') - name));
  }
  ReleaseAv3FileList(list);
  return names;
}

bool Recording::RecorderModelIs(const std::string& model) const {
  return state_->form == Form::kDocument && state_->parser->GetModelTypeVinfo(state_->name.c_str(), model.c_str()) == 1;
}

std::array<CameraModel, 5> Recording::CameraModels() const {
  std::array<CameraModel, 5> models{};
  for (PMP_LONG i = 1; i <= 5; ++i) {
    const PMP_LONG rate = state_->form == Form::kDocument ? state_->parser->GetCameraModelRate(i) : -1;
    models[static_cast<size_t>(i - 1)] =
        rate == 0 ? CameraModel::kListed : (rate == 1 ? CameraModel::kOther : CameraModel::kUnknown);
  }
  return models;
}

size_t Recording::MemoryBytes() const {
  return sizeof(State) + state_->samples.MemoryBytes() + state_->pool.MemoryBytes() +
         state_->rowsByKey.capacity() * sizeof(uint32_t);
}

RecordingSet RecordingSet::Open(const std::vector<std::string>& paths, const OpenOptions& options) {
  RecordingSet set;
  for (const std::string& path : paths) set.parts_.push_back(Recording::Open(path, options));
  return set;
}

RecordingSet RecordingSet::OpenBeside(const std::string& documentPath, const OpenOptions& options) {
  OpenOptions asDocument = options;
  asDocument.form = Form::kDocument;
  RecordingSet set;
  set.parts_.push_back(Recording::Open(documentPath, asDocument));
  const std::filesystem::path document(documentPath);
  const std::string stem = document.stem().string();
  std::filesystem::path folder = document.parent_path();
  if (folder.empty()) folder = ".";
  std::vector<std::filesystem::path> beside;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_regular_file(error) && name.compare(0, stem.size(), stem) == 0 &&
        entry.path().filename() != document.filename()) {
      beside.push_back(entry.path());
    }
  }
  std::sort(beside.begin(), beside.end());
  OpenOptions detected = options;
  detected.form.reset();
  for (const std::filesystem::path& path : beside) {
    try {
      Recording part = Recording::Open(path.string(), detected);
      if (part.form() != Form::kBinary && part.form() != Form::kDocument) set.parts_.push_back(std::move(part));
    } catch (const Error& e) {
      if (e.code() != ErrorCode::kUnknownForm) throw;  // a file of no known form is passed over
    }
  }
  return set;
}

const Recording* RecordingSet::Find(Form form) const {
  for (const Recording& part : parts_) {
    if (part.form() == form) return &part;
  }
  return nullptr;
}

}  // namespace plover
