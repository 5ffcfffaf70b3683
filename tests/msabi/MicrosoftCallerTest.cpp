// A viewer built the way viewers on Windows are built: clang in Microsoft
// mode, no C or C++ runtime, its own entry point, linked by lld-link against
// PloverMetaParser.lib and kernel32.  It includes nothing but the public
// header, so every call below goes through a Microsoft-decorated export of
// the MinGW-built DLL.  It runs in the folder of the example recording and
// prints one line per failed check; the exit code is 1 when any failed.
#include "PloverMetaParser.h"

extern "C" {
__declspec(dllimport) void* __stdcall GetStdHandle(unsigned long which);
__declspec(dllimport) int __stdcall WriteFile(void* file, void const* data, unsigned long size, unsigned long* written,
                                              void* overlapped);
__declspec(dllimport) void* __stdcall CreateFileA(char const* name, unsigned long access, unsigned long share,
                                                  void* security, unsigned long disposition, unsigned long flags,
                                                  void* model);
__declspec(dllimport) unsigned long __stdcall GetFileSize(void* file, unsigned long* high);
__declspec(dllimport) int __stdcall ReadFile(void* file, void* data, unsigned long size, unsigned long* read,
                                             void* overlapped);
__declspec(dllimport) int __stdcall CloseHandle(void* file);
__declspec(dllimport) void* __stdcall VirtualAlloc(void* where, size_t size, unsigned long type, unsigned long protect);
__declspec(dllimport) int __stdcall VirtualFree(void* where, size_t size, unsigned long type);
__declspec(dllimport) __declspec(noreturn) void __stdcall ExitProcess(unsigned int code);
__declspec(dllimport) void* __stdcall GetModuleHandleA(char const* name);
__declspec(dllimport) void* __stdcall GetProcAddress(void* module, char const* name);

// The compiler may call these for copies and zeroing; there is no runtime.
void* memset(void* to, int value, size_t size) {
  volatile unsigned char* p = static_cast<unsigned char*>(to);
  while (size--) *p++ = static_cast<unsigned char>(value);
  return to;
}
void* memcpy(void* to, void const* from, size_t size) {
  volatile unsigned char* p = static_cast<unsigned char*>(to);
  unsigned char const* q = static_cast<unsigned char const*>(from);
  while (size--) *p++ = *q++;
  return to;
}
}

inline void* operator new(size_t, void* place) { return place; }

// The constructor as Microsoft's ABI calls it, looked up by its exported name
// so that the compiler cannot assume what it returns.
#if defined(_M_IX86)
typedef CMetaParser*(__thiscall* Constructor)(void* place);
char const kConstructorName[] = "??0CMetaParser@@QAE@XZ";
#else
typedef CMetaParser* (*Constructor)(void* place);
char const kConstructorName[] = "??0CMetaParser@@QEAA@XZ";
#endif

namespace {

unsigned int failures = 0;

void Print(char const* text) {
  size_t n = 0;
  while (text[n] != 0) ++n;
  unsigned long written = 0;
  WriteFile(GetStdHandle(static_cast<unsigned long>(-11)), text, static_cast<unsigned long>(n), &written, 0);
}

void PrintHex(PMP_UINT64 value) {
  char text[19] = "0x";
  for (int i = 0; i < 16; ++i) text[2 + i] = "0123456789abcdef"[(value >> (60 - 4 * i)) & 15];
  text[18] = 0;
  Print(text);
}

bool Same(char const* a, char const* b) {
  while (*a != 0 && *a == *b) ++a, ++b;
  return *a == *b;
}

void Fail(char const* what) {
  ++failures;
  Print("FAIL ");
  Print(what);
}

void Check(bool ok, char const* what) {
  if (!ok) Fail(what), Print("\n");
}

void CheckEqual(PMP_INT64 got, PMP_INT64 want, char const* what) {
  if (got == want) return;
  Fail(what);
  Print(": got ");
  PrintHex(static_cast<PMP_UINT64>(got));
  Print(", want ");
  PrintHex(static_cast<PMP_UINT64>(want));
  Print("\n");
}

void CheckText(char const* got, char const* want, char const* what) {
  if (Same(got, want)) return;
  Fail(what);
  Print(": got \"");
  Print(got);
  Print("\", want \"");
  Print(want);
  Print("\"\n");
}

// A whole file in pages of its own; null when it cannot be read.
struct Bytes {
  unsigned char* data;
  unsigned long size;
};

Bytes ReadWhole(char const* name) {
  Bytes bytes = {0, 0};
  void* file = CreateFileA(name, 0x80000000u /* GENERIC_READ */, 1, 0, 3 /* OPEN_EXISTING */, 0, 0);
  if (file == reinterpret_cast<void*>(-1)) return bytes;
  unsigned long size = GetFileSize(file, 0);
  unsigned char* data = static_cast<unsigned char*>(VirtualAlloc(0, size, 0x3000, 4));
  unsigned long read = 0;
  if (data != 0 && ReadFile(file, data, size, &read, 0) && read == size) {
    bytes.data = data;
    bytes.size = size;
  }
  CloseHandle(file);
  return bytes;
}

const unsigned long kMemRelease = 0x8000;
char const kDocument[] = "20260314_100000.xml";
char const kContainer[] = "20260314_100000_M2.dat";
const PMP_UINT64 kTenOhOne = 1773482460000ull;  // 2026-03-14 10:01:00 in ms, local time read as UTC

// Buffers of the OSD info size for the display records.
char texts[150][64];
_SF_INFO_OSD finfo;
_SF_INFO_OSD_MK2 finfoMk2;
_VTT_OSD_INFO cue;

template <typename Record>
void PointAtTexts(Record& record) {
  char** field = reinterpret_cast<char**>(&record);
  for (size_t i = 0; i < sizeof record / sizeof(char*); ++i) {
    texts[i][0] = 0;
    field[i] = texts[i];
  }
}

void SettingsAndDocument(CMetaParser& parser, Bytes const& xml) {
  unsigned int size = 0;
  CheckEqual(parser.GetOsdInfoSize(&size), 1, "GetOsdInfoSize");
  CheckEqual(size, 64, "OSD info size at start");
  CheckEqual(parser.SetOsdInfoSize(32), 1, "SetOsdInfoSize");
  parser.GetOsdInfoSize(&size);
  CheckEqual(size, 32, "OSD info size after setting it");
  parser.SetOsdInfoSize(64);
  CheckEqual(parser.SetOsdInfoSizeMk2(48), 1, "SetOsdInfoSizeMk2");
  CheckEqual(parser.GetOsdInfoSizeMk2(&size), 1, "GetOsdInfoSizeMk2");
  CheckEqual(size, 48, "second-generation OSD info size");
  parser.SetOsdInfoSizeMk2(64);

  CheckEqual(parser.inputdata_xml(0, 1, kDocument), -1, "inputdata_xml without data");
  CheckEqual(parser.inputdata_xml(xml.data, xml.size, kDocument), 0, "inputdata_xml");
  CheckEqual(parser.GetModelTypeVinfo(kDocument, "VR-5200"), 1, "GetModelTypeVinfo of the recorder");
  CheckEqual(parser.GetModelTypeVinfo(kDocument, "VR-5100"), 0, "GetModelTypeVinfo of another model");
  CheckEqual(parser.GetCameraModelRate(0), 0, "GetCameraModelRate(0)");
  CheckEqual(parser.GetCameraModelRate(1), -1, "GetCameraModelRate(1)");

  static unsigned char whole[200000];
  CheckEqual(parser.outdata_str(kDocument, 5, whole, sizeof whole), xml.size, "outdata_str of the whole document");
  Check(whole[0] == xml.data[0] && whole[xml.size - 3] == xml.data[xml.size - 3], "outdata_str copies the document");

  PointAtTexts(finfo);
  CheckEqual(parser.outdata_finfo_osd(kDocument, &finfo), 1, "outdata_finfo_osd");
  CheckText(finfo.cameraName[2], "Rear", "third camera's name");
  CheckText(finfo.cameraId, "CAR-12", "camera id");
  CheckText(finfo.gpiIcon[1], "SIREN", "second GPI icon");
  CheckText(finfo.recordingResolution[0], "1920x1080", "first camera's resolution");
}

void Samples(CMetaParser& parser, Bytes const& binary) {
  _SP_INFO_OSD sample;
  PointAtTexts(sample);
  CheckEqual(parser.outdata_pinfo_osd(kTenOhOne - 500, 0, &sample), 1, "outdata_pinfo_osd at or after");
  CheckEqual(static_cast<PMP_INT64>(sample.sampleTime), kTenOhOne, "time of the sample found");
  CheckText(sample.latitude, "4656.8800N", "latitude at 10:01:00");
  CheckText(sample.speed[1], "55", "second speed at 10:01:00");
  CheckText(sample.fileName, kDocument, "document of the sample");
  CheckEqual(parser.outdata_pinfo_osd(kTenOhOne, 2, &sample), 0, "outdata_pinfo_osd with a bad selector");

  static unsigned char text[4096];
  PMP_UINT64 found = 0;
  PMP_LONG count = 0;
  const PMP_LONG length = parser.outdata_num(kTenOhOne + 400, 0, 1, text, sizeof text, &found, &count);
  Check(length > 0 && length < static_cast<PMP_LONG>(sizeof text), "outdata_num gives the sample text");
  CheckEqual(static_cast<PMP_INT64>(found), kTenOhOne, "outdata_num at or before");
  CheckEqual(count, 61, "number of the sample found");

  _SLOGIN_INFO_OSD login;
  PointAtTexts(login);
  CheckEqual(parser.outdata_loginInfo_osd(kTenOhOne / 1000 + 10, 1, &login), 1, "outdata_loginInfo_osd");
  CheckText(login.officerId[1], "P-2210", "second officer logged in at 10:01:05");
  CheckText(login.lastName[0], "Okafor", "first officer's last name");
  CheckEqual(static_cast<PMP_INT64>(login.loginTime), kTenOhOne / 1000 + 5, "log-in time");

  _SP_INFO_OSD decoded;
  PointAtTexts(decoded);
  Check(parser.inputdata_binary(binary.data, binary.size, 0, 0, &decoded) > 0, "inputdata_binary");
  CheckText(decoded.speed[0], "50", "first speed of the binary sample");
}

void FileList(CMetaParser& parser) {
  _META_VO_SFILELIST* list = 0;
  int count = 0;
  CheckEqual(parser.GetAv3File(0, 1, &list, &count, kDocument), 1, "GetAv3File");
  CheckEqual(count, 2, "files of camera 1");
  if (list != 0) {
    CheckText(list[1].fileName, "20260314_100130_CH1.mp4", "second file of camera 1");
    Check(VirtualFree(list, 0, kMemRelease) != 0, "VirtualFree releases the file list");
  }
  list = 0;
  CheckEqual(parser.GetAv3File(0, 3, &list, &count, kDocument), 1, "GetAv3File again");
  if (list != 0) CheckText(list[0].fileName, "20260314_100000_CH3.mp4", "first file of camera 3");
  ReleaseAv3FileList(list);

  char name[256] = {0};
  CheckEqual(parser.GetMetaFileName("20260314_100130_CH2.mp4", name), 1, "GetMetaFileName");
  CheckText(name, kDocument, "document that lists a file");
}

void SecondGeneration(CMetaParser& parser) {
  CheckEqual(parser.inputdata_file(kContainer, 0), 0, "inputdata_file of the container");
  PointAtTexts(finfoMk2);
  CheckEqual(parser.outdata_finfo_osd_mk2(kContainer, &finfoMk2), 1, "outdata_finfo_osd_mk2");
  CheckText(finfoMk2.agency, "Plover County", "agency");
  CheckText(finfoMk2.lastName[1], "Lindqvist", "second officer of the file");
  _SP_INFO_OSD_MK2 sample;
  PointAtTexts(sample);
  CheckEqual(parser.outdata_pinfo_osd_mk2(kContainer, 61, 0, &sample), 1, "outdata_pinfo_osd_mk2");
  CheckText(sample.ts, "2026/03/14 10:01:00", "time text of sample 61");
  CheckEqual(sample.indexNumber, 61, "number of the sample");
}

void Captions(CMetaParser& parser, Bytes const& vtt) {
  Check(parser.inputdata_VTT(vtt.data, vtt.size) >= 0, "inputdata_VTT");
  CheckEqual(parser.GetVTTData("00:01:00.500", &cue), 0, "GetVTTData");
  CheckText(cue.text[0], "2026/03/14 10:01:00  CAR-12", "first line of the cue at 1:00.5");
  CheckEqual(cue.lineCount, 3, "lines of the cue");
  CheckEqual(cue.line, 85, "line position of the cue");
}

void Run() {
  Bytes xml = ReadWhole(kDocument);
  Bytes binary = ReadWhole("20260314_100100.bin");
  Bytes vtt = ReadWhole("20260314_100000.vtt");
  if (xml.data == 0 || binary.data == 0 || vtt.data == 0) {
    Fail("the example recording cannot be read\n");
    return;
  }

  CMetaParser parser;  // on the stack: constructor and destructor by their Microsoft names
  SettingsAndDocument(parser, xml);
  Samples(parser, binary);
  FileList(parser);
  SecondGeneration(parser);
  Captions(parser, vtt);

  // In the caller's own memory; assignment copies everything stored.
  alignas(CMetaParser) static unsigned char place[sizeof(CMetaParser)];
  CMetaParser* copy = new (place) CMetaParser;
  CMetaParser& same = (*copy = parser);
  Check(&same == copy, "operator= returns its object");
  char name[256] = {0};
  CheckEqual(copy->GetMetaFileName("20260314_100000_CH1.mp4", name), 1, "copy answers GetMetaFileName");
  CheckEqual(copy->GetVTTData("00:00:10.000", &cue), 0, "copy answers GetVTTData");

  alignas(CMetaParser) static unsigned char other[sizeof(CMetaParser)];
  Constructor construct =
      reinterpret_cast<Constructor>(GetProcAddress(GetModuleHandleA("PloverMetaParser.dll"), kConstructorName));
  Check(construct != 0, "the constructor is exported by its Microsoft name");
  if (construct != 0) {
    CMetaParser* built = construct(other);
    Check(built == reinterpret_cast<CMetaParser*>(other), "the constructor returns its object");
    reinterpret_cast<CMetaParser*>(other)->~CMetaParser();
  }

  parser.clear_metadata();
  _SP_INFO_OSD sample;
  PointAtTexts(sample);
  CheckEqual(parser.outdata_pinfo_osd(kTenOhOne, 0, &sample), 0, "no samples after clear_metadata");
  CheckEqual(parser.outdata_finfo_osd_mk2(kContainer, &finfoMk2), 0, "no files after clear_metadata");
  CheckEqual(parser.GetVTTData("00:00:10.000", &cue), 0, "cues survive clear_metadata");
  parser.ClearVTTData();
  CheckEqual(parser.GetVTTData("00:00:10.000", &cue), -1, "no cues after ClearVTTData");
  CheckEqual(copy->outdata_pinfo_osd(kTenOhOne, 0, &sample), 1, "the copy keeps its samples");
  copy->~CMetaParser();
}

}  // namespace

extern "C" void CallerMain() {
  Run();
  Print(failures == 0 ? "all checks passed\n" : "checks failed\n");
  ExitProcess(failures == 0 ? 0 : 1);
}
