// One position and status sample of a metadata document.
#ifndef PLOVER_ENGINE_PINFOSAMPLE_H
#define PLOVER_ENGINE_PINFOSAMPLE_H

#include <array>
#include <string_view>

#include "engine/SharedText.h"

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

struct PInfoTextRecord {
  std::array<SharedText, kPInfoSlotCount> slots;
};

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

// A display text: the content of a stored element, seen in place.  `owner`
// keeps the text alive that `text` points into (stored texts never change), so
// a content is never copied, however many samples show it.  A null owner means
// "nothing stored".
struct DisplayText {
  SharedText owner;
  std::string_view text;
};

struct PInfoSample {
  PInfoTextRecord elements;
  std::array<DisplayText, kDisplayFieldCount> display;
};

}  // namespace plover

#endif
