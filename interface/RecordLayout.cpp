// Compile-time checks of the exchange records' byte layout.  The offsets are
// those of the 32-bit interface; a 64-bit build only checks what does not
// depend on the pointer width.
#include <cstddef>

#include "PloverMetaParser.h"

#define PMP_AT(record, field, offset) static_assert(offsetof(record, field) == (offset), #record "." #field)

static_assert(sizeof(_META_VO_SFILELIST) == 272, "_META_VO_SFILELIST size");
PMP_AT(_META_VO_SFILELIST, reserved, 256);
static_assert(sizeof(_VTT_OSD_INFO) == 4436, "_VTT_OSD_INFO size");
PMP_AT(_VTT_OSD_INFO, textSize, 4352);
PMP_AT(_VTT_OSD_INFO, lineCount, 4420);
PMP_AT(_VTT_OSD_INFO, align, 4424);
PMP_AT(_VTT_OSD_INFO, line, 4428);
PMP_AT(_VTT_OSD_INFO, position, 4432);
static_assert(sizeof(_SF_INFO_OSD) == 139 * sizeof(char*), "_SF_INFO_OSD is 139 pointers");
static_assert(sizeof(_SF_INFO_OSD_MK2) == 60 * sizeof(char*), "_SF_INFO_OSD_MK2 is 60 pointers");
static_assert(alignof(_SP_INFO_OSD) == 8 && alignof(_SLOGIN_INFO_OSD) == 8 && alignof(_SP_INFO_OSD_MK2) == 8,
              "64-bit fields sit on 8-byte boundaries");

#if defined(_M_IX86) || (defined(__SIZEOF_POINTER__) && __SIZEOF_POINTER__ == 4)
static_assert(sizeof(_SF_INFO_OSD) == 556, "_SF_INFO_OSD size");
PMP_AT(_SF_INFO_OSD, styleType, 4);
PMP_AT(_SF_INFO_OSD, style, 8);
PMP_AT(_SF_INFO_OSD, cameraName, 12);
PMP_AT(_SF_INFO_OSD, osdMaster, 32);
PMP_AT(_SF_INFO_OSD, osdDate, 52);
PMP_AT(_SF_INFO_OSD, osdField, 72);
PMP_AT(_SF_INFO_OSD, osdTrigger, 92);
PMP_AT(_SF_INFO_OSD, osdPos, 112);
PMP_AT(_SF_INFO_OSD, optionFieldId, 132);
PMP_AT(_SF_INFO_OSD, optionLen, 172);
PMP_AT(_SF_INFO_OSD, separatorMark, 212);
PMP_AT(_SF_INFO_OSD, triggerSw, 232);
PMP_AT(_SF_INFO_OSD, gpiIcon, 236);
PMP_AT(_SF_INFO_OSD, gpiRefTrigger, 300);
PMP_AT(_SF_INFO_OSD, speedTriggerSw, 364);
PMP_AT(_SF_INFO_OSD, sTriggerIcon, 368);
PMP_AT(_SF_INFO_OSD, speedUnit, 388);
PMP_AT(_SF_INFO_OSD, speedType, 392);
PMP_AT(_SF_INFO_OSD, cameraId, 412);
PMP_AT(_SF_INFO_OSD, aspect, 416);
PMP_AT(_SF_INFO_OSD, recordingMode, 436);
PMP_AT(_SF_INFO_OSD, recordingResolution, 456);
PMP_AT(_SF_INFO_OSD, recordingBps, 476);
PMP_AT(_SF_INFO_OSD, recordingFps, 496);
PMP_AT(_SF_INFO_OSD, recordingAudioBps, 516);
PMP_AT(_SF_INFO_OSD, fov, 536);

static_assert(sizeof(_SP_INFO_OSD) == 64, "_SP_INFO_OSD size");
PMP_AT(_SP_INFO_OSD, longitude, 4);
PMP_AT(_SP_INFO_OSD, own, 8);
PMP_AT(_SP_INFO_OSD, speed, 12);
PMP_AT(_SP_INFO_OSD, gStat, 32);
PMP_AT(_SP_INFO_OSD, ts, 36);
PMP_AT(_SP_INFO_OSD, fileName, 40);
PMP_AT(_SP_INFO_OSD, sampleTime, 48);
PMP_AT(_SP_INFO_OSD, reserved, 56);

static_assert(sizeof(_SLOGIN_INFO_OSD) == 64, "_SLOGIN_INFO_OSD size");
PMP_AT(_SLOGIN_INFO_OSD, officerId, 20);
PMP_AT(_SLOGIN_INFO_OSD, firstName, 28);
PMP_AT(_SLOGIN_INFO_OSD, middleName, 36);
PMP_AT(_SLOGIN_INFO_OSD, lastName, 44);
PMP_AT(_SLOGIN_INFO_OSD, fileName, 52);
PMP_AT(_SLOGIN_INFO_OSD, loginTime, 56);

static_assert(sizeof(_SF_INFO_OSD_MK2) == 240, "_SF_INFO_OSD_MK2 size");
PMP_AT(_SF_INFO_OSD_MK2, timeZoneGmt, 4);
PMP_AT(_SF_INFO_OSD_MK2, osdDate, 8);
PMP_AT(_SF_INFO_OSD_MK2, osdGpio, 16);
PMP_AT(_SF_INFO_OSD_MK2, osdSrcArea, 24);
PMP_AT(_SF_INFO_OSD_MK2, osdStyle, 32);
PMP_AT(_SF_INFO_OSD_MK2, osdPos, 40);
PMP_AT(_SF_INFO_OSD_MK2, officerId, 48);
PMP_AT(_SF_INFO_OSD_MK2, firstName, 56);
PMP_AT(_SF_INFO_OSD_MK2, middleName, 64);
PMP_AT(_SF_INFO_OSD_MK2, lastName, 72);
PMP_AT(_SF_INFO_OSD_MK2, shiftPattern, 80);
PMP_AT(_SF_INFO_OSD_MK2, vId, 84);
PMP_AT(_SF_INFO_OSD_MK2, area, 88);
PMP_AT(_SF_INFO_OSD_MK2, unitName, 92);
PMP_AT(_SF_INFO_OSD_MK2, agency, 96);
PMP_AT(_SF_INFO_OSD_MK2, gpioSwitch, 100);
PMP_AT(_SF_INFO_OSD_MK2, asnIcon, 104);
PMP_AT(_SF_INFO_OSD_MK2, asnIconSwitch, 168);
PMP_AT(_SF_INFO_OSD_MK2, rSpeedUnit, 232);
PMP_AT(_SF_INFO_OSD_MK2, timeZone, 236);

static_assert(sizeof(_SP_INFO_OSD_MK2) == 48, "_SP_INFO_OSD_MK2 size");
PMP_AT(_SP_INFO_OSD_MK2, gStat, 4);
PMP_AT(_SP_INFO_OSD_MK2, latitude, 8);
PMP_AT(_SP_INFO_OSD_MK2, longitude, 12);
PMP_AT(_SP_INFO_OSD_MK2, own, 16);
PMP_AT(_SP_INFO_OSD_MK2, radarOwn, 20);
PMP_AT(_SP_INFO_OSD_MK2, radarTarget, 24);
PMP_AT(_SP_INFO_OSD_MK2, fileName, 28);
PMP_AT(_SP_INFO_OSD_MK2, sampleTime, 32);
PMP_AT(_SP_INFO_OSD_MK2, indexNumber, 40);
#endif
