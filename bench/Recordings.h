// Generated inputs of the shape a recorder writes, shared by every benchmark:
// 10 Hz recordings of 10 minutes, 1 hour and 10 hours as metadata documents
// (every section), as second-generation files in both forms, as binary
// sample records, and a caption track of 10 000 cues.  Each input is made
// once per process and kept.
#ifndef PLOVER_BENCH_RECORDINGS_H
#define PLOVER_BENCH_RECORDINGS_H

#include <cstdint>
#include <string>
#include <vector>

#include "PloverMetaParser.h"

namespace plover::bench {

// Samples of the three recording lengths at 10 Hz.
constexpr int kTenMinutes = 6000;
constexpr int kOneHour = 36000;
constexpr int kTenHours = 360000;
constexpr int kCues = 10000;

// Every sample time is local time in this zone; set it before any intake.
constexpr const char* kZone = "JST-9";

// A document with V-Info, F-Info (every setting, a log-in every five
// minutes, two cameras' files of one minute each) and a P-Info of `samples`
// Index elements with every element a recorder writes.
const std::string& Document(int samples);
// The number of log-ins and listed files in Document(samples).
int DocumentLogins(int samples);
int DocumentFiles(int samples);

// The time of sample `i` as a document holds it ("YYYY/MM/DD hh:mm:ss.mmm")
// and as the engine keys it (local milliseconds in kZone).
std::string SampleTime(int i);
uint64_t SampleKey(int i);

// A second-generation recording of `samples` samples, written once to a
// temporary directory in both forms.
struct FileRecording {
  std::string container;  // path of the chunked container
  std::string text;       // path of the text form
  uint64_t containerSize = 0;
  uint64_t textSize = 0;
};
const FileRecording& Files(int samples);

// `count` binary sample records of 284 bytes, one after another.
const std::vector<unsigned char>& BinaryRecords(int count);
constexpr uint32_t kBinaryRecordSize = 284;

// A WebVTT track of kCues cues of 2 s every 2.5 s, one to three lines each.
const std::string& CaptionTrack();
// The play time "hh:mm:ss.mmm" of `millis`.
std::string CueKey(int millis);

// Points the eleven text fields of a display record at `buffers`.
inline void AttachSampleBuffers(_SP_INFO_OSD& record, char (&buffers)[11][64]) {
  char** fields[] = {&record.latitude, &record.longitude, &record.own,      &record.speed[0],
                     &record.speed[1], &record.speed[2],  &record.speed[3], &record.speed[4],
                     &record.gStat,    &record.ts,        &record.fileName};
  for (int i = 0; i < 11; ++i) *fields[i] = buffers[i];
}

}  // namespace plover::bench

#endif
