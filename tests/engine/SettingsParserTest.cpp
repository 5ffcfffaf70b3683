#include "engine/SettingsParser.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "DocumentSamples.h"
#include "SettingsRecord.h"
#include "engine/DocumentIntake.h"
#include "engine/DocumentQueries.h"
#include "engine/MetadataEngine.h"

namespace plover {
namespace {

FileSettings Parse(const std::string& finfo) {
  FileSettings settings;
  parse_finfo_settings(finfo.data(), static_cast<uint32_t>(finfo.size()), settings);
  return settings;
}

std::string At(const FileSettings& s, int slot) { return s.slots[static_cast<size_t>(slot)].value_or("<null>"); }

TriggerSummary Summary(const std::string& finfo) {
  return parse_trigger_summary(finfo.data(), static_cast<uint32_t>(finfo.size()));
}

// Every one of the 139 slots receives its own setting: each text is set and
// no two are the same.
TEST(Settings, EverySlotReachesItsNamedField) {
  MetadataEngine engine;
  const std::string doc = test::FInfo(test::FullSettings());
  ASSERT_TRUE(inputdata_xml(engine, doc.data(), static_cast<uint32_t>(doc.size()), "a.xml"));
  test::SettingsRecord out;
  ASSERT_TRUE(outdata_finfo_osd(engine, "a.xml", &out.record));
  std::set<std::string> seen;
  for (size_t i = 0; i < test::SettingsRecord::kSlots; ++i) {
    EXPECT_NE(out.Slot(i), "untouched") << "slot " << i;
    EXPECT_TRUE(seen.insert(out.Slot(i)).second) << "slot " << i << " repeats " << out.Slot(i);
  }
  const _SF_INFO_OSD& r = out.record;
  EXPECT_EQ(std::string(r.osdDate[1]) + r.optionFieldId[3] + r.optionLen[8] + r.recordingAudioBps[2] + r.fov[4] +
                r.gpiIcon[15] + r.gpiRefTrigger[0] + r.sTriggerIcon[4] + r.speedType[0] + r.styleType,
            "d2fid2blen5aabps3fov5icon16R1sicon5type124h");
}

TEST(Settings, FovDefaultsOnlyWhileCameraSettingsExists) {
  const FileSettings s = Parse(R"(<F-Info><CameraSettings><CH ch="2"><FOV>WIDE</FOV></CH></CameraSettings></F-Info>)");
  const char* expected[] = {"MAX", "WIDE", "MAX", "MAX", "MAX"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(At(s, kFov + i), expected[i]);
  EXPECT_EQ(At(s, 136), "MAX");  // slot numbers are the record's, not just the enum's
  const FileSettings none = Parse("<F-Info><CameraID>X</CameraID></F-Info>");
  for (int i = 0; i < 5; ++i) EXPECT_EQ(At(none, kFov + i), "<null>");
}

TEST(Settings, MissingElementsSkipOnlyWhatLiesInside) {
  // Camera 1 has no CameraIn and an OSD without content; a missing
  // attribute, one without a closing quote and one holding '>' are missing.
  const FileSettings s =
      Parse(R"(<F-Info><StreamSettings><OSD id="1" master="on" date="off" pos="a/>)"
            R"(<Aspect id="1">4:3</Aspect><Recording id="1" mode="x" fps="30/></StreamSettings></F-Info>)");
  std::string read;
  for (int slot : {3, 8, 13, 18, 28, 33, 104, 109, 124}) read += At(s, slot) + ",";
  EXPECT_EQ(read, "<null>,on,off,<null>,<null>,<null>,4:3,x,<null>,");
  // Without StreamSettings slots 3-57 and 104-133 stay null.
  std::string full = test::FullSettings();
  full.erase(full.find("<StreamSettings>"), full.find("<CameraSettings>") - full.find("<StreamSettings>"));
  const FileSettings t = Parse(test::FInfo(full));
  EXPECT_EQ(At(t, kCameraId), "UNIT-0042");
  for (int i = 3; i <= 57; ++i) EXPECT_EQ(At(t, i), "<null>");
  for (int i = 104; i <= 133; ++i) EXPECT_EQ(At(t, i), "<null>");
  // An element without its end tag is missing.
  EXPECT_EQ(At(Parse("<F-Info><CameraID>X</F-Info>"), kCameraId), "<null>");
}

TEST(Settings, LooseAndStrictAttributeReadings) {
  const FileSettings s =
      Parse(R"(<F-Info><StreamSettings><OSD id="1" master="a>b"><OptionOSD id="2" len="5>6"></OptionOSD></OSD>)"
            R"(</StreamSettings>)"
            R"(<DeviceInformation><R-Speed><Speed id="3" type="mph"/><Speed id="4">type="kmh"</Speed>)"
            R"(<Speed id="5" type="x">y</Speed></R-Speed></DeviceInformation></F-Info>)");
  EXPECT_EQ(At(s, kOptionLen + 1), "5>6");
  EXPECT_EQ(At(s, kOsdMaster), "<null>");
  EXPECT_EQ(At(s, kSpeedType + 2), "mph");
  EXPECT_EQ(At(s, kSpeedType + 3), "kmh");
  EXPECT_EQ(At(s, kSpeedType + 4), "<null>");
  // A bare name matches as a prefix: Style also finds <StyleSheet.
  EXPECT_EQ(At(Parse("<F-Info><TimeSettings><StyleSheet>a</StyleSheet></Style></TimeSettings></F-Info>"), kStyle),
            "a</StyleSheet>");
}

// The speed trigger's input is 15 or 16, whichever refers to S1-S5 first;
// the switch is on only for exactly "ON".
TEST(TriggerSummary, SpeedInputAndSwitch) {
  auto gpi = [](const char* ref15, const char* ref16) {
    return Summary(std::string("<F-Info><TriggerSettings><GPI id=\"15\"><Ref-Trigger>") + ref15 +
                   "</Ref-Trigger></GPI><GPI id=\"16\"><Ref-Trigger>" + ref16 +
                   "</Ref-Trigger></GPI></TriggerSettings>"
                   "</F-Info>")
        .speedTriggerGpi;
  };
  EXPECT_EQ(gpi("S3", "S1"), 15);
  EXPECT_EQ(gpi("S6", "S5"), 16);
  EXPECT_EQ(gpi("S1x", "R"), 0);
  EXPECT_EQ(Summary(test::FInfo(test::FullSettings("S3"))).speedTriggerGpi, 15);
  EXPECT_EQ(Summary(test::FInfo(test::FullSettings("S3", "ON"))).speedTriggerOn, 1);
  EXPECT_EQ(Summary(test::FInfo(test::FullSettings("S3", "on"))).speedTriggerOn, 0);
  EXPECT_EQ(Summary(test::FInfo(test::FullSettings("S3", "OFF"))).speedTriggerOn, 0);
  EXPECT_EQ(parse_trigger_summary(nullptr, 0).speedTriggerGpi, 0);
}

TEST(DeviceInfo, ReplacedByEachDocumentOfTheName) {
  MetadataEngine engine;
  const std::string first = test::VInfo();
  ASSERT_TRUE(parse_vinfo(engine, "a", first.data(), static_cast<uint32_t>(first.size())));
  const auto& f = engine.devices.at("a").fields;
  EXPECT_EQ(f[kFirmwareVersion].value_or("") + *f[kRecorderModel] + *f[kRecorderSerial] + *f[kSlot1Sd] +
                *f[kSlot1Serial] + *f[kSlot1FwVersion] + *f[kWlan0Mac],
            "1.2.3REC-9SN132GBSD94.500:11");
  const std::string second = R"(<V-Info><Recorder model="R2"/></V-Info>)";
  parse_vinfo(engine, "a", second.data(), static_cast<uint32_t>(second.size()));
  EXPECT_FALSE(engine.devices.at("a").fields[kWlan0Mac]);
  EXPECT_EQ(engine.devices.at("a").fields[kRecorderModel], "R2");
  EXPECT_FALSE(parse_vinfo(engine, "b", nullptr, 0));
  EXPECT_EQ(engine.devices.count("b"), 0u);
}

}  // namespace
}  // namespace plover
