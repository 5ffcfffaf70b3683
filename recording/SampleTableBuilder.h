// Fills a SampleTable: rows appended in the library's order, then put in
// time order and completed with the values read from their texts.
#ifndef PLOVER_RECORDING_SAMPLETABLEBUILDER_H
#define PLOVER_RECORDING_SAMPLETABLEBUILDER_H

#include <array>
#include <cstdint>

#include "plover/Sample.h"
#include "plover/TimeZone.h"

namespace plover {

class SampleTableBuilder {
 public:
  using Texts = std::array<TextId, kFieldCount>;

  SampleTableBuilder(SampleTable& table, TextPool& pool);
  void Append(uint64_t key, uint32_t number, int64_t writtenMs, int64_t endMs, const Texts& texts);
  // Puts the rows in order of their written time (stable; rows without time
  // first) unless `keepOrder`, reads positions and inputs from the texts and
  // drops text columns that hold no text.
  void Finish(bool keepOrder);
  // Reads every written time again in `zone` (rows without time, and cues,
  // keep kNoTime).
  static void ReadTimes(SampleTable& table, const TimeZone& zone, bool cues);

 private:
  SampleTable& table_;
  TextPool& pool_;
};

}  // namespace plover

#endif
