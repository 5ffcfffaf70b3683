// Builders of metadata documents for the document tests and benchmarks.
// Plain strings only, so that facade tests can use them as well.
#ifndef PLOVER_TESTS_ENGINE_DOCUMENTSAMPLES_H
#define PLOVER_TESTS_ENGINE_DOCUMENTSAMPLES_H

#include <string>

namespace plover::test {

inline std::string Num(int n) { return std::to_string(n); }

// An F-Info settings block that fills every one of the 139 settings with a
// distinct text; `gpi15Ref` is the Ref-Trigger of input 15 (R15 unless set).
inline std::string FullSettings(const std::string& gpi15Ref = "R15", const std::string& speedSw = "ON") {
  std::string s = "<CameraID>UNIT-0042</CameraID>\r\n";
  s += "<TimeSettings><TimeZone><Rule>EST5EDT</Rule></TimeZone><Style type=\"24h\">YYYY/MM/DD</Style>"
       "</TimeSettings>\r\n<StreamSettings>\r\n";
  for (int n = 1; n <= 5; ++n) {
    const std::string c = Num(n);
    s += "<CameraIn id=\"" + c + "\"><Name>Cam" + c + "</Name></CameraIn>\r\n";
    s += "<OSD id=\"" + c + "\" master=\"m" + c + "\" date=\"d" + c + "\" field=\"f" + c + "\" trigger=\"t" + c +
         "\" pos=\"p" + c + "\">";
    s += "<OptionOSD id=\"1\" field-id=\"fid" + c + "a\" len=\"len" + c + "a\"/>";
    s += "<OptionOSD id=\"2\" field-id=\"fid" + c + "b\" len=\"len" + c + "b\"/>";
    s += "<Separator mark=\"sep" + c + "\"/></OSD>\r\n";
    s += "<Aspect id=\"" + c + "\">16:" + c + "</Aspect>\r\n";
    s += "<Recording id=\"" + c + "\" mode=\"mode" + c + "\" resolution=\"res" + c + "\" bps=\"bps" + c +
         "\" fps=\"fps" + c + "\" audio-bps=\"abps" + c + "\"/>\r\n";
  }
  s += "</StreamSettings>\r\n<CameraSettings>";
  for (int n = 1; n <= 5; ++n) s += "<CH ch=\"" + Num(n) + "\"><FOV>fov" + Num(n) + "</FOV></CH>";
  s += "</CameraSettings>\r\n<TriggerSettings sw=\"trig-on\">\r\n";
  for (int n = 1; n <= 16; ++n) {
    const std::string ref = n == 15 ? gpi15Ref : "R" + Num(n);
    s += "<GPI id=\"" + Num(n) + "\"><Ref-Trigger>" + ref + "</Ref-Trigger><Icon>icon" + Num(n) + "</Icon></GPI>\r\n";
  }
  s += "</TriggerSettings>\r\n<SpeedTriggerSettings sw=\"" + speedSw + "\">";
  for (int n = 1; n <= 5; ++n) s += "<S-Trigger id=\"" + Num(n) + "\"><Icon>sicon" + Num(n) + "</Icon></S-Trigger>";
  s += "</SpeedTriggerSettings>\r\n<DeviceInformation><S-Unit>km/h</S-Unit><R-Speed>";
  for (int n = 1; n <= 5; ++n) s += "<Speed id=\"" + Num(n) + "\" type=\"type" + Num(n) + "\"/>";
  s += "</R-Speed></DeviceInformation>\r\n";
  return s;
}

// One Login element at "YYYY-MM-DD hh:mm:ss" with officer 1 and field 1.
inline std::string Login(const std::string& time, const std::string& officer, const std::string& field = "F1") {
  return "<Login time=\"" + time + "\"><Officers><Officer id=\"1\"><First>" + officer + "</First><Middle>M</Middle>" +
         "<Last>L" + officer + "</Last><O-ID>ID-" + officer + "</O-ID></Officer></Officers><Field id=\"1\">" + field +
         "</Field></Login>";
}

// One File element.
inline std::string File(const std::string& ch, const std::string& dtype, const std::string& name,
                        const std::string& start) {
  return "<File ch=\"" + ch + "\" dtype=\"" + dtype + "\"><F-Name>" + name + "</F-Name><RecST>" + start +
         "</RecST></File>\r\n";
}

inline std::string FInfo(const std::string& inner) { return "<F-Info>\r\n" + inner + "</F-Info>\r\n"; }
inline std::string LoginInfo(const std::string& inner) { return "<LoginInfo>\r\n" + inner + "\r\n</LoginInfo>\r\n"; }
inline std::string FileList(const std::string& inner) { return "<FileList>\r\n" + inner + "</FileList>\r\n"; }

inline std::string VInfo(const std::string& model = "REC-9") {
  return "<V-Info><FirmwareVersion>1.2.3</FirmwareVersion><Recorder model=\"" + model +
         "\" serial=\"SN1\"/><Slot1 sd=\"32GB\" serial=\"SD9\" fwversion=\"4.5\"/><MACAddress wlan0=\"00:11\"/>"
         "</V-Info>\r\n";
}

}  // namespace plover::test

#endif
