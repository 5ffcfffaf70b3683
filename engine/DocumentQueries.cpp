#include "engine/DocumentQueries.h"

#include <cstring>

#include "engine/MetadataEngine.h"
#include "scan/CopyOut.h"
#include "scan/Scanner.h"

namespace plover {

std::array<char**, FileSettings::kSlotCount> SettingsSlots(_SF_INFO_OSD& r) {
  std::array<char**, FileSettings::kSlotCount> slots{};
  size_t i = 0;
  auto one = [&](char*& field) { slots[i++] = &field; };
  auto many = [&](auto& fields) {
    for (char*& field : fields) slots[i++] = &field;
  };
  one(r.timeZoneRule);
  one(r.styleType);
  one(r.style);
  many(r.cameraName);
  many(r.osdMaster);
  many(r.osdDate);
  many(r.osdField);
  many(r.osdTrigger);
  many(r.osdPos);
  many(r.optionFieldId);
  many(r.optionLen);
  many(r.separatorMark);
  one(r.triggerSw);
  many(r.gpiIcon);
  many(r.gpiRefTrigger);
  one(r.speedTriggerSw);
  many(r.sTriggerIcon);
  one(r.speedUnit);
  many(r.speedType);
  one(r.cameraId);
  many(r.aspect);
  many(r.recordingMode);
  many(r.recordingResolution);
  many(r.recordingBps);
  many(r.recordingFps);
  many(r.recordingAudioBps);
  many(r.fov);
  return slots;
}

// A null name is answered like an unknown one.
bool outdata_finfo_osd(const MetadataEngine& engine, const char* fileName, _SF_INFO_OSD* record) {
  if (fileName == nullptr || record == nullptr) return false;
  const auto it = engine.documents.find(fileName);
  if (it == engine.documents.end()) return false;
  const auto slots = SettingsSlots(*record);
  for (size_t i = 0; i < slots.size(); ++i) {
    const auto& text = it->second.settings.slots[i];
    if (text) CopyDisplayText(*slots[i], engine.osdInfoSize, *text);
  }
  return true;
}

// A null name is answered like an unknown one (0).
int32_t outdata_str(const MetadataEngine& engine, const char* fileName, int32_t type, unsigned char* buffer,
                    uint32_t bufferSize) {
  static const char* const kSections[] = {"V-Info", "P-Info", "F-Info", "AVHash", "METAHash"};
  if (fileName == nullptr || buffer == nullptr) return 0;
  const auto it = engine.documents.find(fileName);
  if (it == engine.documents.end()) return 0;
  const std::string_view document = it->second.Text();
  const uint32_t documentLength = static_cast<uint32_t>(document.size());

  if (type == 5) {
    if (documentLength <= bufferSize && documentLength != 0) std::memcpy(buffer, document.data(), documentLength);
    return static_cast<int32_t>(documentLength);
  }
  if (type < 0 || type > 4) return -1;
  // Each section is searched for once per document, on first use.
  DocumentIndex::Section& section = it->second.index.sections[static_cast<size_t>(type)];
  if (!section.searched) {
    int32_t length = 0;
    const int32_t limit = documentLength > 0x7fffffffu ? 0x7fffffff : static_cast<int32_t>(documentLength);
    const char* found = scan::FindElement(document.data(), limit, kSections[type], &length);
    if (found != nullptr) section.element = std::string_view(found, static_cast<size_t>(length));
    section.searched = true;
  }
  if (!section.element) return -1;
  const char* element = section.element->data();
  const int32_t elementLength = static_cast<int32_t>(section.element->size());
  // The caller needs room for one byte more than the element, although no
  // NUL is written: a result below the buffer size means "copied".
  const uint32_t needed = static_cast<uint32_t>(elementLength) + 1;
  if (needed > bufferSize) return static_cast<int32_t>(needed);
  std::memcpy(buffer, element, static_cast<size_t>(elementLength));
  return elementLength;
}

// A device entry without a recorder model matches no model: the answer is 0.
int32_t GetModelTypeVinfo(const MetadataEngine& engine, const char* fileName, const char* model) {
  if (fileName == nullptr || model == nullptr) return -1;
  const auto it = engine.devices.find(fileName);
  if (it == engine.devices.end()) return -1;
  const auto& stored = it->second.fields[kRecorderModel];
  return stored && *stored == model ? 1 : 0;
}

}  // namespace plover
