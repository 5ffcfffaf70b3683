// P-Info sections: samples keyed by time, and the canonical sample text.
//
// A section is a run of Index elements, one per sample.  Each element of an
// Index (directly, or one level down inside a group whose name begins with
// "GPS" or "Radar") lands in its slot of a working record that is carried from
// one Index to the next, so a sample inherits every element its own Index
// lacks from the samples before it in the same section.  Slots are views
// into one immutable copy of the bytes, shared by every sample of the parse:
// an element carried into many samples is stored once, and storing a sample
// copies no text.
#ifndef PLOVER_ENGINE_PINFOPARSER_H
#define PLOVER_ENGINE_PINFOPARSER_H

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "engine/PInfoSample.h"

namespace plover {
class MetadataEngine;

using CameraModelRates = std::array<int32_t, 5>;

// Merges the Index elements of a P-Info element (`section` points to its '<')
// into the sample map.  With speedTriggerOn 1 and a speedTriggerGpi other than
// 0, a sample whose first 24 status characters (character speedTriggerGpi
// counted from 1 taken as '0') equal those of the last kept sample is dropped.
// False when the parse stopped early; samples stored before the stop stay.
// The section is copied once; the samples see their texts in that copy.
bool parse_pinfo(MetadataEngine& engine, const char* fileName, const char* section, uint32_t sectionLength,
                 int32_t speedTriggerOn, int32_t speedTriggerGpi);

// The same for a section that lies inside `bytes`: the samples see their
// texts in place, and nothing is copied.
bool parse_pinfo_in(MetadataEngine& engine, std::string fileName, std::shared_ptr<const std::string> bytes,
                    const char* section, uint32_t sectionLength, int32_t speedTriggerOn, int32_t speedTriggerGpi);

// Reads the element at `child` (its '<'), `remaining` bytes before the end of
// the Index content, into its slot of `work`, or every element of a GPS or
// Radar group into theirs.  Writes the child's whole length.  The bytes
// before `nulFreeEnd` are known to hold no NUL (null: nothing is known), so
// an element that ends there is not searched for one.
bool parse_pinfo_child(CameraModelRates& rates, const char* child, uint32_t remaining, PInfoTextRecord& work,
                       uint32_t* childLength, const char* nulFreeEnd = nullptr);

// Points the slot its start tag selects at the element (up to its first
// NUL); an element of no known kind is ignored.  A camera status element also feeds the camera
// model rule while that camera's rate is unset.  False only for a null element.
bool store_pinfo_element(PInfoTextRecord& work, CameraModelRates& rates, const char* element, uint32_t elementLength,
                         const char* nulFreeEnd = nullptr);

// Sets the indexNo slot from the first double-quoted value of the Index
// element.  False when the element holds no pair of double quotes.
bool index_number(const char* element, uint32_t elementLength, PInfoTextRecord& work);

// The key of a TS element: local time in milliseconds, or 0 when fewer than
// 32 bytes remain, the start tag does not end within 32 bytes, fewer than 23
// bytes follow it, or the time cannot be converted.
uint64_t index_time(const char* element, uint32_t remaining);

// Every slot of `to` becomes the slot of `from`.  Texts are immutable, so
// sharing them is indistinguishable from copying them.
void copy_text_record(const PInfoTextRecord& from, PInfoTextRecord& to);

// The contents of display elements seen within one parse: an element carried
// unchanged into the next sample is not searched again.
class DisplayCache {
 public:
  std::optional<std::string_view> Content(int field, std::string_view element, const char* name);

 private:
  std::array<std::string_view, kDisplayFieldCount> source_;
  std::array<std::optional<std::string_view>, kDisplayFieldCount> content_;
};

// Fills the display block (all but fileName) from the sample's elements.  A
// slot without text leaves its field empty; an element whose content is empty
// makes the call fail.
bool fill_sample_display(PInfoSample& sample, DisplayCache* cache = nullptr);

// Drops every text the sample holds.
void release_sample(PInfoSample& sample);

// Writes the record as one Index element of text into `out` (null: nothing is
// written) and returns the full length of that text.  The text was written
// whole exactly when the result is below `outSize`; no NUL is written.  Once a
// piece does not fit, no later piece is written.
uint32_t compose_index_text(char* out, uint32_t outSize, const PInfoTextRecord& record);

// The camera model rule: sets rates[index] from the model="..." value of a
// camera status element: 0 for a listed model (or a prefix of one), 1 for any
// other, left at -1 when there is no usable value.  True when it set a rate.
bool set_camera_model_rate(std::string_view text, CameraModelRates& rates, int index);
bool set_camera_model_rate(const char* text, CameraModelRates& rates, int index);

}  // namespace plover

#endif
