#include <iostream>

#include "Commands.h"
#include "TimeText.h"
#include "ToolError.h"

namespace plovermeta {

namespace {

bool strictFiles = false;

}  // namespace

void SetStrict(bool strict) { strictFiles = strict; }

std::string RecoveryText(const plover::Recovery& recovery) {
  return "at byte " + std::to_string(recovery.cutAt) + ", " + std::to_string(recovery.recovered) +
         (recovery.recovered == 1 ? " complete sample" : " complete samples") + " recovered";
}

Recording OpenRecording(const Args& args, const std::string& path, bool needSamples) {
  std::optional<FileForm> form;
  if (std::optional<std::string> name = args.Value("form")) {
    form = FormFromOption(*name);
    if (!form) throw UsageError("unknown form '" + *name + "' (document, container, text, vtt or binary)");
  }
  Recording recording = OpenPath(path, form);
  if (needSamples && recording.samples().empty()) {
    throw InputError(path + " holds no " + (recording.form() == FileForm::kTrack ? "cue" : "sample"));
  }
  return recording;
}

Recording OpenPath(const std::string& path, std::optional<FileForm> form) {
  plover::OpenOptions options;
  options.form = form;
  options.zone = plover::TimeZone::Machine();
  try {
    Recording recording = Recording::Open(path, options);
    if (recording.recovery().cutOff) {
      const std::string what = path + " is cut off " + RecoveryText(recording.recovery());
      if (strictFiles) throw InputError(what + " (--strict)");
      Warn(what);
    }
    return recording;
  } catch (const plover::Error& error) {
    std::string message = error.what();
    if (error.code() == plover::ErrorCode::kUnknownForm) {
      message.replace(message.rfind("name its form"), 13, "name it with --form");
    }
    throw InputError(message);
  }
}

std::optional<uint64_t> ParseIndexNumber(const std::string& text) {
  if (text.empty() || text.size() > 10) return std::nullopt;
  uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - '0');
  }
  if (value > UINT32_MAX) return std::nullopt;
  return value;
}

uint64_t ParseMomentKey(FileForm form, const std::string& option, const std::string& text) {
  switch (form) {
    case FileForm::kDocument:
    case FileForm::kBinary:
      if (auto ms = ParseLocalTime(text)) return *ms;
      throw UsageError("--" + option + " '" + text + "' is not a time; write \"YYYY-MM-DD hh:mm:ss[.mmm]\" (local)");
    case FileForm::kTrack:
      if (auto ms = ParsePlayTime(text)) return *ms;
      throw UsageError("--" + option + " '" + text + "' is not a play time; write hh:mm:ss.ttt");
    case FileForm::kContainer:
    case FileForm::kTextFile:
      if (auto index = ParseIndexNumber(text)) return *index;
      throw UsageError("--" + option + " '" + text +
                       "' is not an index number; second-generation files are asked by index number");
  }
  return 0;
}

std::string DescribeKey(FileForm form, uint64_t key) {
  switch (form) {
    case FileForm::kDocument:
    case FileForm::kBinary:
      return FormatLocal(key);
    case FileForm::kTrack:
      return FormatPlayTime(key);
    case FileForm::kContainer:
    case FileForm::kTextFile:
      return "index " + std::to_string(key);
  }
  return {};
}

void Warn(const std::string& message) { std::cerr << "plovermeta: warning: " << message << std::endl; }

}  // namespace plovermeta
