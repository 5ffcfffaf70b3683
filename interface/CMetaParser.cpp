// The exported class: owns the three engines, checks arguments in the order
// the interface fixes, forwards to one engine and maps its answer to the
// member's return code.  No exception leaves a member: running out of memory
// inside an engine answers the member's failure result.
#include <memory>
#include <new>

#include "PloverMetaParser.h"
#include "captions/CaptionStore.h"
#include "engine/BinaryDecoder.h"
#include "engine/DocumentIntake.h"
#include "engine/DocumentQueries.h"
#include "engine/FileList.h"
#include "engine/LoginInfo.h"
#include "engine/MetadataEngine.h"
#include "engine/PInfoQueries.h"
#include "fileengine/MetaFileEngine.h"
#include "platform/PageAlloc.h"

namespace {

// Runs `body`; any exception becomes `failure`.
template <typename Result, typename Body>
Result Guarded(Result failure, Body body) {
  try {
    return body();
  } catch (...) {
    return failure;
  }
}

}  // namespace

// The object's layout is fixed by the interface: three plain pointers.  They
// are owned here, from the constructor to the destructor, and never replaced.
CMetaParser::CMetaParser() : m_metadataEngine(nullptr), m_metaFileEngine(nullptr), m_captionStore(nullptr) {
  auto metadata = std::make_unique<plover::MetadataEngine>();
  auto files = std::make_unique<plover::MetaFileEngine>();
  auto captions = std::make_unique<plover::CaptionStore>();
  m_metadataEngine = metadata.release();
  m_metaFileEngine = files.release();
  m_captionStore = captions.release();
}

CMetaParser::~CMetaParser() {
  std::unique_ptr<plover::MetadataEngine> metadata(m_metadataEngine);
  std::unique_ptr<plover::MetaFileEngine> files(m_metaFileEngine);
  std::unique_ptr<plover::CaptionStore> captions(m_captionStore);
}

// Assignment copies what the source's engines hold into this object's own
// engines, so every object keeps sole ownership of its three engines.  Either
// all three are copied or, when memory runs out, none is changed.
CMetaParser& CMetaParser::operator=(CMetaParser const& other) {
  if (this == &other) return *this;
  try {
    plover::MetadataEngine metadata(*other.m_metadataEngine);
    plover::MetaFileEngine files(*other.m_metaFileEngine);
    plover::CaptionStore captions(*other.m_captionStore);
    *m_metadataEngine = std::move(metadata);
    *m_metaFileEngine = std::move(files);
    *m_captionStore = std::move(captions);
  } catch (...) {
  }
  return *this;
}

PMP_LONG CMetaParser::inputdata_xml(unsigned char* data, PMP_ULONG length, char const* fileName) {
  if (data == nullptr) return -1;
  return Guarded<PMP_LONG>(-2, [&] {
    return plover::inputdata_xml(*m_metadataEngine, reinterpret_cast<const char*>(data), length, fileName) ? 0 : -2;
  });
}

PMP_LONG CMetaParser::inputdata_binary(unsigned char* data, PMP_ULONG length, unsigned char* aux, PMP_ULONG auxLength,
                                       _SP_INFO_OSD* record) {
  if (data == nullptr || record == nullptr) return 0;
  return Guarded<PMP_LONG>(-2, [&] {
    const int32_t result = plover::decode_binary_pinfo(*m_metadataEngine, data, length, aux, auxLength, record);
    return result >= 0 ? result : -2;
  });
}

PMP_LONG CMetaParser::inputdata_file(char const* path, PMP_LONG option) {
  if (path == nullptr) return -1;
  return Guarded<PMP_LONG>(-2, [&] { return m_metaFileEngine->load_file(path, option) ? 0 : -2; });
}

PMP_LONG CMetaParser::inputdata_VTT(unsigned char* data, PMP_ULONG length) {
  if (data == nullptr || length == 0) return -1;
  return Guarded<PMP_LONG>(-2, [&] { return m_captionStore->inputdata_VTT(data, length); });
}

PMP_LONG CMetaParser::outdata_num(PMP_UINT64 time, PMP_LONG selA, PMP_LONG selB, unsigned char* buffer,
                                  PMP_ULONG bufferSize, PMP_UINT64* foundTime, PMP_LONG* count) {
  if (selA != 0 && selA != 1) return -1;
  if (selB != 0 && selB != 1) return -1;
  if (buffer == nullptr || count == nullptr) return -1;
  return Guarded<PMP_LONG>(-2, [&] {
    const int32_t result =
        plover::outdata_num(*m_metadataEngine, time, selA, selB, buffer, bufferSize, foundTime, count);
    return result >= 0 ? result : -2;
  });
}

PMP_LONG CMetaParser::outdata_str(char const* fileName, PMP_LONG type, unsigned char* buffer, PMP_ULONG bufferSize) {
  if (type < 0 || type > 5) return -1;
  if (buffer == nullptr) return -1;
  return Guarded<PMP_LONG>(-2, [&] {
    const int32_t result = plover::outdata_str(*m_metadataEngine, fileName, type, buffer, bufferSize);
    return result >= 0 ? result : -2;
  });
}

int CMetaParser::outdata_finfo_osd(char const* fileName, _SF_INFO_OSD* record) {
  if (record == nullptr) return 0;
  return Guarded(0, [&] { return plover::outdata_finfo_osd(*m_metadataEngine, fileName, record) ? 1 : 0; });
}

int CMetaParser::outdata_pinfo_osd(PMP_UINT64 time, PMP_LONG sel, _SP_INFO_OSD* record) {
  if (record == nullptr) return 0;
  if (sel != 0 && sel != 1) return 0;
  return Guarded(0, [&] { return plover::outdata_pinfo_osd(*m_metadataEngine, time, sel, record) ? 1 : 0; });
}

int CMetaParser::outdata_loginInfo_osd(PMP_UINT64 time, PMP_LONG sel, _SLOGIN_INFO_OSD* record) {
  if (record == nullptr) return 0;
  if (sel != 0 && sel != 1) return 0;
  return Guarded(0, [&] { return plover::outdata_loginInfo_osd(*m_metadataEngine, time, sel, record) ? 1 : 0; });
}

int CMetaParser::GetAv3File(int dataType, int channel, _META_VO_SFILELIST** list, int* count, char const* fileName) {
  if (list == nullptr || count == nullptr || fileName == nullptr) return 0;
  return Guarded(
      0, [&] { return plover::GetAv3File(*m_metadataEngine, dataType, channel, list, count, fileName) ? 1 : 0; });
}

int CMetaParser::GetMetaFileName(char const* name, char* out) {
  if (out == nullptr) return 0;
  return Guarded(0, [&] { return plover::GetMetaFileName(*m_metadataEngine, name, out) ? 1 : 0; });
}

PMP_LONG CMetaParser::GetModelTypeVinfo(char const* fileName, char const* model) {
  if (fileName == nullptr || model == nullptr) return -1;
  return Guarded<PMP_LONG>(-1, [&] { return plover::GetModelTypeVinfo(*m_metadataEngine, fileName, model); });
}

PMP_LONG CMetaParser::GetCameraModelRate(PMP_LONG index) {
  if (index < 1 || index > 5) return 0;
  switch (m_metadataEngine->cameraModelRates[static_cast<size_t>(index - 1)]) {
    case 0:
      return 0;
    case 1:
      return 1;
    default:  // -1 (never set) and anything else
      return -1;
  }
}

int CMetaParser::outdata_finfo_osd_mk2(char const* fileName, _SF_INFO_OSD_MK2* record) {
  if (record == nullptr) return 0;
  return Guarded(0, [&] { return m_metaFileEngine->finfo_osd_mk2(fileName, record) ? 1 : 0; });
}

int CMetaParser::outdata_pinfo_osd_mk2(char const* fileName, PMP_ULONG position, PMP_LONG sel,
                                       _SP_INFO_OSD_MK2* record) {
  if (record == nullptr || fileName == nullptr) return 0;
  if (sel != 0 && sel != 1) return 0;
  return Guarded(0, [&] { return m_metaFileEngine->pinfo_osd_mk2(fileName, position, sel, record) ? 1 : 0; });
}

PMP_LONG CMetaParser::GetVTTData(char const* key, _VTT_OSD_INFO* record) {
  if (key == nullptr || record == nullptr) return -1;
  return Guarded<PMP_LONG>(-1, [&] { return m_captionStore->GetVTTData(key, record); });
}

int CMetaParser::SetOsdInfoSize(unsigned int size) {
  m_metadataEngine->osdInfoSize = size;
  return 1;
}

int CMetaParser::GetOsdInfoSize(unsigned int* size) {
  if (size == nullptr) return 0;
  *size = m_metadataEngine->osdInfoSize;
  return 1;
}

int CMetaParser::SetOsdInfoSizeMk2(unsigned int size) {
  m_metaFileEngine->osdInfoSizeMk2 = size;
  return 1;
}

int CMetaParser::GetOsdInfoSizeMk2(unsigned int* size) {
  if (size == nullptr) return 0;
  *size = m_metaFileEngine->osdInfoSizeMk2;
  return 1;
}

void CMetaParser::clear_metadata() {
  m_metadataEngine->clear_metadata();
  m_metaFileEngine->clear_files();
}

void CMetaParser::ClearVTTData() { m_captionStore->ClearVTTData(); }

extern "C" void ReleaseAv3FileList(_META_VO_SFILELIST* list) { plover::platform::ReleasePages(list); }
