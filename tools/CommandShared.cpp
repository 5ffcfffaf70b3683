#include <iostream>

#include "Commands.h"
#include "TimeText.h"
#include "ToolError.h"
#include "plover/Error.h"

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
  std::optional<plover::TimeZone> zone;
  if (std::optional<std::string> rule = args.Value("tz")) {
    try {
      zone = plover::TimeZone::Parse(*rule);
    } catch (const plover::Error& error) {
      throw UsageError("--tz: " + std::string(error.what()));
    }
  }
  Recording recording = OpenPath(path, form, zone);
  if (needSamples && recording.samples().empty()) {
    throw InputError(path + " holds no " + (recording.form() == FileForm::kTrack ? "cue" : "sample"));
  }
  return recording;
}

Recording OpenPath(const std::string& path, std::optional<FileForm> form, std::optional<plover::TimeZone> zone) {
  plover::OpenOptions options;
  options.form = form;
  options.zone = zone;
  try {
    Recording recording = Recording::Open(path, options);
    static bool told = false;
    if (recording.zoneOrigin() == plover::ZoneOrigin::kMachine && recording.form() != FileForm::kTrack && !told) {
      told = true;
      std::cerr << "plovermeta: note: " << path
                << " names no time zone; its times are read in the machine's (--tz names one)" << std::endl;
    }
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

AskedMoment ParseAsked(const Recording& recording, const std::string& option, const std::string& text,
                       bool indexOrTime) {
  const bool mk2 = recording.form() == FileForm::kContainer || recording.form() == FileForm::kTextFile;
  if (option == "index" || (mk2 && indexOrTime && text.find_first_not_of("0123456789") == std::string::npos)) {
    if (auto index = ParseIndexNumber(text)) return {AskedMoment::kIndex, static_cast<int64_t>(*index)};
    throw UsageError("--" + option + " '" + text + "' is not an index number");
  }
  if (recording.form() == FileForm::kTrack) {
    if (auto ms = ParsePlayTime(text)) return {AskedMoment::kPlayTime, static_cast<int64_t>(*ms)};
    throw UsageError("--" + option + " '" + text + "' is not a play time; write hh:mm:ss[.ttt]");
  }
  if (auto utc = ParseClockTime(text, recording.timeZone())) return {AskedMoment::kInstant, *utc};
  throw UsageError("--" + option + " '" + text +
                   "' is not a time; write \"YYYY-MM-DD hh:mm:ss[.mmm]\" (in the recording's zone, or "
                   "followed by Z or UTC+hh:mm)");
}

std::optional<int64_t> Offset(const plover::Sample& sample, const AskedMoment& asked) {
  switch (asked.kind) {
    case AskedMoment::kInstant:
      if (!sample.HasTime()) return std::nullopt;
      return sample.utcMs - asked.value;
    case AskedMoment::kPlayTime:
      return sample.writtenMs - asked.value;
    case AskedMoment::kIndex:
      return static_cast<int64_t>(sample.key) - asked.value;
  }
  return std::nullopt;
}

std::string DescribeAsked(const Recording& recording, const AskedMoment& asked) {
  switch (asked.kind) {
    case AskedMoment::kInstant:
      return recording.timeZone().Format(asked.value);
    case AskedMoment::kPlayTime:
      return FormatPlayTime(static_cast<uint64_t>(asked.value));
    case AskedMoment::kIndex:
      return "index " + std::to_string(asked.value);
  }
  return {};
}

void Warn(const std::string& message) { std::cerr << "plovermeta: warning: " << message << std::endl; }

}  // namespace plovermeta
