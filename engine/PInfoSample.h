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

// A display text: the content of a stored element, seen in place inside the
// text that the sample holds for that element (or inside its fileName).
// Stored texts never change and copies of a sample share them, so the view
// stays valid as long as any copy of the sample lives, and a content is
// never copied, however many samples show it.  `present` false means
// "nothing stored".
struct DisplayText {
  std::string_view text;
  bool present = false;
};

struct PInfoSample {
  PInfoTextRecord elements;
  SharedText fileName;  // the name of the document the sample came from
  std::array<DisplayText, kDisplayFieldCount> display;
};

}  // namespace plover

#endif
