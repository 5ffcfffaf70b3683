// The two queries on stored second-generation files: the file information
// of a path, and one sample of a path chosen by index number.
#include <cstring>
#include <iterator>

#include "fileengine/MetaFileEngine.h"
#include "scan/CopyOut.h"

namespace plover {

namespace {

// Copies a stored text into a caller buffer of `size` bytes; a null buffer
// or a text that was never stored leaves the buffer as it was.
void CopyOut(char* buffer, uint32_t size, const Mk2Text& text) {
  if (text) CopyDisplayText(buffer, size, *text);
}

}  // namespace

// A null file name finds nothing: the query fails without touching the record.
bool MetaFileEngine::finfo_osd_mk2(const char* fileName, _SF_INFO_OSD_MK2* record) const {
  if (fileName == nullptr || record == nullptr) return false;
  auto found = fileInfoByFile.find(std::string_view(fileName));
  if (found == fileInfoByFile.end()) return false;
  const VInfoMk2Record& info = found->second;

  // The record is 60 pointers in slot order; name them one by one rather
  // than reading the structure as an array.
  char** fields[VInfoMk2Record::kSlotCount] = {};
  size_t k = 0;
  auto add = [&](char** field, size_t count) {
    for (size_t i = 0; i < count; ++i) fields[k++] = field + i;
  };
  add(&record->fileName, 1);
  add(&record->timeZoneGmt, 1);
  add(record->osdDate, 2);
  add(record->osdGpio, 2);
  add(record->osdSrcArea, 2);
  add(record->osdStyle, 2);
  add(record->osdPos, 2);
  add(record->officerId, 2);
  add(record->firstName, 2);
  add(record->middleName, 2);
  add(record->lastName, 2);
  add(&record->shiftPattern, 1);
  add(&record->vId, 1);
  add(&record->area, 1);
  add(&record->unitName, 1);
  add(&record->agency, 1);
  add(&record->gpioSwitch, 1);
  add(record->asnIcon, 16);
  add(record->asnIconSwitch, 16);
  add(&record->rSpeedUnit, 1);
  add(&record->timeZone, 1);
  for (size_t slot = 0; slot < k; ++slot) CopyOut(*fields[slot], osdInfoSizeMk2, info.slots[slot]);
  return true;
}

bool MetaFileEngine::pinfo_osd_mk2(const char* fileName, uint32_t position, int32_t sel,
                                   _SP_INFO_OSD_MK2* record) const {
  if (fileName == nullptr || record == nullptr || samplesByFile.empty()) return false;
  auto file = samplesByFile.find(std::string_view(fileName));
  if (file == samplesByFile.end() || file->second.empty()) return false;
  const SampleTable& table = file->second;

  auto answer = table.lower_bound(position);
  if (sel == 0) {
    if (answer == table.end()) return false;
  } else if (sel == 1) {
    if (answer == table.end()) {
      answer = std::prev(table.end());
    } else if (answer->first != position) {
      if (answer == table.begin()) return false;
      answer = std::prev(answer);
    }
  } else {
    return false;
  }

  const PInfoMk2Sample& sample = answer->second;
  CopyOut(record->ts, osdInfoSizeMk2, sample.ts);
  CopyOut(record->gStat, osdInfoSizeMk2, sample.gStat);
  CopyOut(record->latitude, osdInfoSizeMk2, sample.latitude);
  CopyOut(record->longitude, osdInfoSizeMk2, sample.longitude);
  CopyOut(record->own, osdInfoSizeMk2, sample.own);
  CopyOut(record->radarOwn, osdInfoSizeMk2, sample.radarOwn);
  CopyOut(record->radarTarget, osdInfoSizeMk2, sample.radarTarget);
  CopyOut(record->fileName, osdInfoSizeMk2, sample.fileName);
  record->sampleTime = sample.sampleTime;
  record->indexNumber = sample.indexNumber;
  return true;
}

}  // namespace plover
