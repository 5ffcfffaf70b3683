// One position and status sample of a metadata document.
#ifndef PLOVER_ENGINE_PINFOSAMPLE_H
#define PLOVER_ENGINE_PINFOSAMPLE_H

#include <array>
#include <memory>
#include <string>
#include <string_view>

namespace plover {

// Slots of a sample's elements, each the whole element text as it stood in
// the document (the indexNo slot: the value of the Index number attribute).
enum PInfoSlot {
  kIndexNo,
  kTs,
  kGStat,
  kLatitude,
  kLongitude,
  kAltitude,
  kOwn,
  kGpsTs,
  kSatelite,
  kSpeed1,
  kSpeed2,
  kSpeed3,
  kSpeed4,
  kSpeed5,
  kTimeSync,
  kRStat,
  kCamStat1,
  kCamStat2,
  kCamStat3,
  kCamStat4,
  kCamStat5,
  kMicStat,
  kAMute,
  kCameraIn,
  kTemp1,
  kTemp2,
  kPInfoSlotCount
};

// A slot holds a view of the element's text; a view whose data() is null
// means "nothing stored" (an empty text seen in place is not null).
struct PInfoTextRecord {
  std::array<std::string_view, kPInfoSlotCount> slots;
};

inline bool Stored(std::string_view text) { return text.data() != nullptr; }

// Display texts, in the order of the first eleven fields of _SP_INFO_OSD.
enum DisplayField {
  kShowLatitude,
  kShowLongitude,
  kShowOwn,
  kShowSpeed1,
  kShowSpeed2,
  kShowSpeed3,
  kShowSpeed4,
  kShowSpeed5,
  kShowGStat,
  kShowTs,
  kShowFileName,
  kDisplayFieldCount
};

// A display text: the content of a stored element, seen in place inside the
// element's text (or the file name).  `present` false means "nothing
// stored".
struct DisplayText {
  std::string_view text;
  bool present = false;
};

// What the texts of the samples of one parse are seen in: one immutable copy
// of the bytes they came from (the stored document, or a copy of its
// section) and the name of the document.  Every sample of the parse shares
// it, so an element is never copied, however many samples hold or show it,
// and a view stays valid as long as any copy of a sample that holds it.
struct SampleSource {
  std::shared_ptr<const std::string> bytes;
  std::string fileName;
};

struct PInfoSample {
  PInfoTextRecord elements;
  std::shared_ptr<const SampleSource> source;  // what elements and display are seen in
  std::array<DisplayText, kDisplayFieldCount> display;
};

}  // namespace plover

#endif
