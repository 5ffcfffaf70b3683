// A recording's metadata as values: the C++ interface of PloverMetaParser
// for applications.  Everything here is answered by the library's CMetaParser
// (one per Recording), so this interface and the library always agree.
//
//   plover::Recording recording = plover::Recording::Open("20260314_100000.xml");
//   for (size_t i = 0; i < recording.samples().size(); ++i) {
//     plover::Sample s = recording.samples()[i];
//     if (s.position) std::printf("%s %f %f\n", plover::FormatUtc(s.utcMs).c_str(),
//                                 s.position->latitude, s.position->longitude);
//   }
//
// Errors are thrown as plover::Error (Error.h).  A Recording is used by one
// thread at a time; different recordings may be used on different threads at
// once, each in its own zone: nothing here touches TZ or other global state.
#ifndef PLOVER_RECORDING_H
#define PLOVER_RECORDING_H

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Error.h"
#include "Form.h"
#include "Position.h"
#include "Records.h"
#include "Sample.h"
#include "TextPool.h"
#include "TimeText.h"
#include "TimeZone.h"

namespace plover {

struct OpenOptions {
  // The form; without it the first bytes tell (Error kUnknownForm when they
  // cannot).
  std::optional<Form> form;
  // The zone to read the recording's times in, instead of its own.
  std::optional<TimeZone> zone;
};

// Where the zone of a recording came from.
enum class ZoneOrigin {
  kRecording,  // its own: a document's zone rule, a second-generation file's GMT offset
  kOverride,   // OpenOptions::zone or SetTimeZone
  kMachine,    // the recording names none (binary records, a document without a rule)
};

// A file cut off before its end (power lost while recording, a copy
// interrupted) opens with the samples of every complete record before the
// cut; Recording::recovery() says so.  A cut-off file without one complete
// sample does not open (Error kEmpty).
struct Recovery {
  bool cutOff = false;
  uint64_t cutAt = 0;    // where the file's bytes end
  size_t recovered = 0;  // samples read from the complete records
};

// The rule of a time search: the sample at or after the time, or the one at
// the time else the last before it.
enum class Seek { kAtOrAfter, kAtOrBefore };

// A sample with what the OSD shows beside it.
struct Osd {
  Sample sample;
  std::string officers;        // "A1023 Jane Q Doe, B2201 Rick Roe", or empty
  std::optional<Login> login;  // documents: the log-in in effect
  std::string speedUnit;
};

class Recording {
 public:
  // Opens a file, recovering what a cut-off file holds (Recovery).  Throws
  // Error: kNoSuchFile, kUnreadable, kUnknownForm, kRefused, kEmpty, kBadTimeZone (the recording's zone rule does not
  // read and OpenOptions::zone names none).
  static Recording Open(const std::string& path, const OpenOptions& options = {});
  // A document, caption track or binary records already in memory, under a
  // file name (second-generation files are read from disk: use Open).
  static Recording FromBytes(std::string_view bytes, const std::string& name, const OpenOptions& options = {});

  Recording(Recording&&) noexcept;
  Recording& operator=(Recording&&) noexcept;
  ~Recording();

  Form form() const;
  const std::string& path() const;  // as opened (FromBytes: the name)
  const std::string& name() const;  // the file name without folders
  // Whether the file was cut off, and what was recovered.
  const Recovery& recovery() const;

  // Samples in time order.  Sample::key is the library's key: documents and
  // binary records local milliseconds, second-generation files the index
  // number, cues the start in play milliseconds.
  const SampleTable& samples() const;
  const TextPool& texts() const;

  // The zone the times are read in, and where it came from.
  const TimeZone& timeZone() const;
  ZoneOrigin zoneOrigin() const;
  // Reads every time again in `zone`.
  void SetTimeZone(const TimeZone& zone);

  // The sample at a UTC instant by the Seek rule (tracks: the cue covering
  // a play time in milliseconds, `seek` not used); nothing when none.
  std::optional<Sample> At(int64_t utcMs, Seek seek = Seek::kAtOrBefore) const;
  // The same for a time as written (TimeZone.h).
  std::optional<Sample> AtWritten(int64_t writtenMs, Seek seek = Seek::kAtOrBefore) const;
  // The sample of a key (Sample::key) by the Seek rule, as the library finds it.
  std::optional<Sample> AtKey(uint64_t key, Seek seek = Seek::kAtOrBefore) const;
  // The OSD of a sample: the sample, the officers, the speed unit.
  Osd OsdOf(const Sample& sample) const;
  std::optional<Osd> OsdAt(int64_t utcMs, Seek seek = Seek::kAtOrBefore) const;

  // Documents: every log-in in time order, and the one in effect at a UTC
  // instant (the latest at or before it).  Other forms: none.
  const std::vector<Login>& logins() const;
  std::optional<Login> LoginAt(int64_t utcMs) const;

  // Documents (empty values for other forms).
  const Device& device() const;
  const DocumentSettings& settings() const;
  // The files the document lists for a data type and a camera (channel 1 to
  // 99), in order of their start time.
  std::vector<std::string> Files(DataType type, int camera) const;
  // A raw section of the document as the library hands it back whole,
  // character references and all; empty when there is none.
  enum class Section { kDevice = 0, kSamples = 1, kSettings = 2 };
  std::string RawSection(Section section) const;
  // Whether the recorder is of `model` (exact, case-sensitive).
  bool RecorderModelIs(const std::string& model) const;
  // Cameras 1 to 5 as the library rates their models.
  std::array<CameraModel, 5> CameraModels() const;

  // Second-generation files (empty for other forms).
  const FileInfo& fileInfo() const;

  // The speed unit the recording names, or empty.
  const std::string& speedUnit() const;

  // Bytes this object holds for its samples (columns and texts), not
  // counting the library's own store.
  size_t MemoryBytes() const;

  struct State;

 private:
  explicit Recording(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
};

// A document together with the files of the same recording: its
// second-generation files and its caption track.
class RecordingSet {
 public:
  // Every path opened as its first bytes tell (or as `options.form`).
  static RecordingSet Open(const std::vector<std::string>& paths, const OpenOptions& options = {});
  // A document and the files beside it whose names start with the document's
  // name without its extension ("20260314_100000.xml" brings
  // "20260314_100000_M2.dat", "20260314_100000_M2.txt",
  // "20260314_100000.vtt"); files of no known form are passed over.
  static RecordingSet OpenBeside(const std::string& documentPath, const OpenOptions& options = {});

  const std::vector<Recording>& parts() const { return parts_; }
  // The first part of a form, or null.
  const Recording* Find(Form form) const;
  const Recording* document() const { return Find(Form::kDocument); }
  const Recording* track() const { return Find(Form::kTrack); }

 private:
  std::vector<Recording> parts_;
};

}  // namespace plover

#endif
