// Compiled by clang in Microsoft mode only, never linked: its undefined
// symbols are the names a viewer built with Microsoft's compiler asks the DLL
// for.  Every exported member is referred to once; the build compares the
// names with exports.list.
#include "PloverMetaParser.h"

inline void* operator new(size_t, void* place) { return place; }

typedef void (*Sink)(void const*);

template <typename Member>
void Take(Sink sink, Member member) {
  sink(&member);
}

void ProbeEveryMember(void* place, Sink sink) {
  CMetaParser* parser = new (place) CMetaParser;
  Take(sink, &CMetaParser::operator=);
  Take(sink, &CMetaParser::inputdata_xml);
  Take(sink, &CMetaParser::inputdata_binary);
  Take(sink, &CMetaParser::inputdata_file);
  Take(sink, &CMetaParser::inputdata_VTT);
  Take(sink, &CMetaParser::outdata_num);
  Take(sink, &CMetaParser::outdata_str);
  Take(sink, &CMetaParser::outdata_finfo_osd);
  Take(sink, &CMetaParser::outdata_pinfo_osd);
  Take(sink, &CMetaParser::outdata_loginInfo_osd);
  Take(sink, &CMetaParser::GetAv3File);
  Take(sink, &CMetaParser::GetMetaFileName);
  Take(sink, &CMetaParser::GetModelTypeVinfo);
  Take(sink, &CMetaParser::GetCameraModelRate);
  Take(sink, &CMetaParser::outdata_finfo_osd_mk2);
  Take(sink, &CMetaParser::outdata_pinfo_osd_mk2);
  Take(sink, &CMetaParser::GetVTTData);
  Take(sink, &CMetaParser::SetOsdInfoSize);
  Take(sink, &CMetaParser::GetOsdInfoSize);
  Take(sink, &CMetaParser::SetOsdInfoSizeMk2);
  Take(sink, &CMetaParser::GetOsdInfoSizeMk2);
  Take(sink, &CMetaParser::clear_metadata);
  Take(sink, &CMetaParser::ClearVTTData);
  sink(reinterpret_cast<void const*>(&ReleaseAv3FileList));
  parser->~CMetaParser();
}
