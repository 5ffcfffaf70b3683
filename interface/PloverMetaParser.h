// PloverMetaParser public interface.
//
// One class, CMetaParser, reads the metadata that a vehicle video recorder
// writes beside its recordings and answers, one moment at a time, the texts a
// viewer lays over the picture.  Metadata comes in four forms: tagged-text
// documents (inputdata_xml), 284-byte binary samples (inputdata_binary),
// second-generation files read from disk (inputdata_file) and WebVTT caption
// tracks (inputdata_VTT).
//
// Contract in brief:
//  - Answers are copied into the caller's records and buffers, bounded by the
//    buffer's size; a text that does not fit with its NUL leaves an empty text.
//    A null pointer in a record means "not wanted"; a field with nothing
//    stored leaves the caller's buffer as it was.
//  - The library never keeps a pointer to caller memory.  The only memory it
//    hands out is GetAv3File's array; release it with ReleaseAv3FileList (on
//    Windows, VirtualFree(list, 0, MEM_RELEASE) works as well).
//  - No exceptions cross this interface; results are return codes.
//  - One object is used by one thread at a time; two objects share nothing
//    and may be used on two threads at once.  The time zone is the one
//    exception: calendar times are read as local standard time of the
//    process's zone (the TZ variable, else the system's), read on every
//    conversion.  Set it before the objects are used; a thread that changes
//    TZ while another converts races inside the C runtime.
//
// This header is plain C++98.  Records keep the exact byte layout of the
// 32-bit interface (4-byte pointers, 64-bit fields on 8-byte boundaries); in a
// 64-bit build the pointer fields widen and the offsets shift accordingly.
#ifndef PLOVERMETAPARSER_H
#define PLOVERMETAPARSER_H

/* Version of this header and of the library built with it.  CMake's
   project(VERSION) holds the same numbers and stops at configure time when
   the two differ. */
#define PLOVERMETAPARSER_VERSION_MAJOR 0
#define PLOVERMETAPARSER_VERSION_MINOR 1
#define PLOVERMETAPARSER_VERSION_PATCH 0
#define PLOVERMETAPARSER_VERSION_STRING "0.1.0"

#if defined(_WIN32)
#if defined(PLOVERMETAPARSER_BUILD)
#define PLOVERMETAPARSER_API __declspec(dllexport)
#elif defined(PLOVERMETAPARSER_STATIC)
#define PLOVERMETAPARSER_API
#else
#define PLOVERMETAPARSER_API __declspec(dllimport)
#endif
/* The interface's own spelling of its integer types (__int64 comes with the
   runtime's headers under MinGW). */
#include <stddef.h>
typedef long PMP_LONG;
typedef unsigned long PMP_ULONG;
typedef unsigned __int64 PMP_UINT64;
typedef __int64 PMP_INT64;
#define PMP_ALIGN8
#else
#if defined(__GNUC__) || defined(__clang__)
#define PLOVERMETAPARSER_API __attribute__((visibility("default")))
#define PMP_ALIGN8 __attribute__((aligned(8)))
#else
#define PLOVERMETAPARSER_API
#define PMP_ALIGN8
#endif
#include <stdint.h>
/* Same widths as the Windows types: long is 32 bits on every platform here. */
typedef int32_t PMP_LONG;
typedef uint32_t PMP_ULONG;
typedef uint64_t PMP_UINT64;
typedef int64_t PMP_INT64;
#endif

/* 64-bit record fields sit on 8-byte boundaries, also where the platform's
   own rule would put them on 4 (32-bit Linux). */
typedef PMP_UINT64 PMP_UINT64_FIELD PMP_ALIGN8;
typedef PMP_INT64 PMP_INT64_FIELD PMP_ALIGN8;

/* Recording settings of one document for the OSD layout (556 bytes at 32
   bits): 139 pointers to caller buffers of the OSD info size each. */
typedef struct _SF_INFO_OSD {
  char* timeZoneRule;
  char* styleType;
  char* style;
  char* cameraName[5];
  char* osdMaster[5];
  char* osdDate[5];
  char* osdField[5];
  char* osdTrigger[5];
  char* osdPos[5];
  char* optionFieldId[10]; /* camera n, option m at 2(n-1)+(m-1) */
  char* optionLen[10];
  char* separatorMark[5];
  char* triggerSw;
  char* gpiIcon[16];
  char* gpiRefTrigger[16];
  char* speedTriggerSw;
  char* sTriggerIcon[5];
  char* speedUnit;
  char* speedType[5];
  char* cameraId;
  char* aspect[5];
  char* recordingMode[5];
  char* recordingResolution[5];
  char* recordingBps[5];
  char* recordingFps[5];
  char* recordingAudioBps[5];
  char* fov[5];
} _SF_INFO_OSD;

/* Display texts of one position and status sample (64 bytes at 32 bits). */
typedef struct _SP_INFO_OSD {
  char* latitude;
  char* longitude;
  char* own;
  char* speed[5];
  char* gStat;
  char* ts;
  char* fileName;
  PMP_UINT64_FIELD sampleTime; /* local time in milliseconds */
  char* reserved;              /* never written */
} _SP_INFO_OSD;

/* One officer log-in (64 bytes at 32 bits). */
typedef struct _SLOGIN_INFO_OSD {
  char* field[5];
  char* officerId[2];
  char* firstName[2];
  char* middleName[2];
  char* lastName[2];
  char* fileName;
  PMP_UINT64_FIELD loginTime; /* seconds */
} _SLOGIN_INFO_OSD;

/* One element of GetAv3File's array (272 bytes). */
typedef struct _META_VO_SFILELIST {
  char fileName[256];
  unsigned char reserved[16];
} _META_VO_SFILELIST;

/* File information of a second-generation file (240 bytes at 32 bits). */
typedef struct _SF_INFO_OSD_MK2 {
  char* fileName;
  char* timeZoneGmt;
  char* osdDate[2];
  char* osdGpio[2];
  char* osdSrcArea[2];
  char* osdStyle[2];
  char* osdPos[2];
  char* officerId[2];
  char* firstName[2];
  char* middleName[2];
  char* lastName[2];
  char* shiftPattern;
  char* vId;
  char* area;
  char* unitName;
  char* agency;
  char* gpioSwitch;
  char* asnIcon[16];
  char* asnIconSwitch[16];
  char* rSpeedUnit;
  char* timeZone;
} _SF_INFO_OSD_MK2;

/* One sample of a second-generation file (48 bytes at 32 bits). */
typedef struct _SP_INFO_OSD_MK2 {
  char* ts;
  char* gStat;
  char* latitude;
  char* longitude;
  char* own;
  char* radarOwn;
  char* radarTarget;
  char* fileName;
  PMP_INT64_FIELD sampleTime; /* seconds */
  unsigned int indexNumber;
} _SP_INFO_OSD_MK2;

/* One caption cue (4436 bytes). */
typedef struct _VTT_OSD_INFO {
  char text[17][256];
  int textSize[17];
  int lineCount;
  int align;    /* 0 start, 1 middle, 2 end */
  int line;     /* "line:" percentage, 0 when none */
  int position; /* "position:" percentage, 0 when none */
} _VTT_OSD_INFO;

namespace plover {
class MetadataEngine;
class MetaFileEngine;
class CaptionStore;
}  // namespace plover

class PLOVERMETAPARSER_API CMetaParser {
 public:
  CMetaParser();
  ~CMetaParser();
  /* Copies the source's stored data into this object's own engines; the two
     objects stay independent. */
  CMetaParser& operator=(CMetaParser const& other);

  /* Intake.  0 (or a length) on success, -1 rejected argument, -2 failure;
     inputdata_binary answers a rejected argument with 0. */
  PMP_LONG inputdata_xml(unsigned char* data, PMP_ULONG length, char const* fileName);
  PMP_LONG inputdata_binary(unsigned char* data, PMP_ULONG length, unsigned char* aux, PMP_ULONG auxLength,
                            _SP_INFO_OSD* record);
  PMP_LONG inputdata_file(char const* path, PMP_LONG option);
  PMP_LONG inputdata_VTT(unsigned char* data, PMP_ULONG length);

  /* Queries.  The int members return 1 for success and 0 otherwise. */
  PMP_LONG outdata_num(PMP_UINT64 time, PMP_LONG selA, PMP_LONG selB, unsigned char* buffer, PMP_ULONG bufferSize,
                       PMP_UINT64* foundTime, PMP_LONG* count);
  PMP_LONG outdata_str(char const* fileName, PMP_LONG type, unsigned char* buffer, PMP_ULONG bufferSize);
  int outdata_finfo_osd(char const* fileName, _SF_INFO_OSD* record);
  int outdata_pinfo_osd(PMP_UINT64 time, PMP_LONG sel, _SP_INFO_OSD* record);
  int outdata_loginInfo_osd(PMP_UINT64 time, PMP_LONG sel, _SLOGIN_INFO_OSD* record);
  int GetAv3File(int dataType, int channel, _META_VO_SFILELIST** list, int* count, char const* fileName);
  int GetMetaFileName(char const* name, char* out);
  PMP_LONG GetModelTypeVinfo(char const* fileName, char const* model);
  PMP_LONG GetCameraModelRate(PMP_LONG index);
  int outdata_finfo_osd_mk2(char const* fileName, _SF_INFO_OSD_MK2* record);
  int outdata_pinfo_osd_mk2(char const* fileName, PMP_ULONG position, PMP_LONG sel, _SP_INFO_OSD_MK2* record);
  PMP_LONG GetVTTData(char const* key, _VTT_OSD_INFO* record);

  /* Settings and clearing.  The OSD info sizes survive both clears. */
  int SetOsdInfoSize(unsigned int size);
  int GetOsdInfoSize(unsigned int* size);
  int SetOsdInfoSizeMk2(unsigned int size);
  int GetOsdInfoSizeMk2(unsigned int* size);
  void clear_metadata();
  void ClearVTTData();

 private:
  CMetaParser(CMetaParser const&); /* not copyable by construction */

  plover::MetadataEngine* m_metadataEngine;
  plover::MetaFileEngine* m_metaFileEngine;
  plover::CaptionStore* m_captionStore;
};

/* Releases an array handed out by CMetaParser::GetAv3File; null is ignored. */
extern "C" PLOVERMETAPARSER_API void ReleaseAv3FileList(_META_VO_SFILELIST* list);

#endif /* PLOVERMETAPARSER_H */
