// What the file engine stores for each second-generation metadata file: the
// file information (60 text slots) and the position samples keyed by index
// number.
#ifndef PLOVER_FILEENGINE_MK2RECORDS_H
#define PLOVER_FILEENGINE_MK2RECORDS_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace plover {

// An owned, immutable text; null when the source gave nothing.  Texts are
// shared between samples that inherit them and between copies of an engine;
// nobody ever changes one in place.
using Mk2Text = std::shared_ptr<const std::string>;

inline Mk2Text MakeMk2Text(std::string_view text) { return std::make_shared<const std::string>(text); }

// The file information of one file: 60 text slots in the field order of
// _SF_INFO_OSD_MK2.
struct VInfoMk2Record {
  enum Slot : size_t {
    kFileName = 0,
    kTimeZoneGmt = 1,
    kOsdDate = 2,     // two slots: stream 0, stream 1
    kOsdGpio = 4,     // two slots
    kOsdSrcArea = 6,  // two slots
    kOsdStyle = 8,    // two slots
    kOsdPos = 10,     // two slots
    kOfficerId = 12,  // two slots: officer 1, officer 2
    kFirstName = 14,
    kMiddleName = 16,
    kLastName = 18,
    kShiftPattern = 20,
    kVId = 21,
    kArea = 22,
    kUnitName = 23,
    kAgency = 24,
    kGpioSwitch = 25,
    kAsnIcon = 26,        // sixteen slots: ASN entry 1 to 16
    kAsnIconSwitch = 42,  // sixteen slots
    kRSpeedUnit = 58,
    kTimeZone = 59,
    kSlotCount = 60
  };

  std::array<Mk2Text, kSlotCount> slots;
};

// The texts that one sample text gives, before inheritance: null where the
// text lacks the element.
struct Mk2SampleText {
  Mk2Text ts;
  Mk2Text gStat;
  Mk2Text latitude;
  Mk2Text longitude;
  Mk2Text own;
  Mk2Text radarOwn;
  Mk2Text radarTarget;
};

// One position sample, in the field order of _SP_INFO_OSD_MK2: the seven
// texts, then these.
struct PInfoMk2Sample : Mk2SampleText {
  Mk2Text fileName;        // the path of the metadata file the sample came from
  int64_t sampleTime = 0;  // seconds since 1970-01-01 00:00:00 UTC
  uint32_t indexNumber = 0;
};

// The samples of one file (or one data chunk while it is read), by index
// number.
using SampleTable = std::map<uint32_t, PInfoMk2Sample>;

}  // namespace plover

#endif
