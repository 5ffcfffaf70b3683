// Prints the time and position of every sample of a recording:
//   plover_api_example 20260314_100000.xml
#include <cstdio>
#include <string>

#include <plover/Recording.h>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s RECORDING\n", argv[0]);
    return 2;
  }
  try {
    const plover::Recording recording = plover::Recording::Open(argv[1]);
    const plover::SampleTable& samples = recording.samples();
    std::printf("%s: %s, %zu samples, times read in %s\n", recording.name().c_str(),
                plover::FormDescription(recording.form()).c_str(), samples.size(), recording.timeZone().name().c_str());
    for (size_t row = 0; row < samples.size(); ++row) {
      const plover::Sample sample = samples[row];
      // A caption track's cues have play times rather than instants.
      const std::string when = sample.HasTime() ? plover::FormatUtc(sample.utcMs)
                               : recording.form() == plover::Form::kTrack
                                   ? plover::FormatPlayTime(static_cast<uint64_t>(sample.writtenMs))
                                   : "(time does not read)";
      if (sample.position) {
        std::printf("%s  %.6f %.6f\n", when.c_str(), sample.position->latitude, sample.position->longitude);
      } else {
        std::printf("%s  no position\n", when.c_str());
      }
    }
  } catch (const plover::Error& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
