#include "engine/SettingsParser.h"

#include <gtest/gtest.h>

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

TEST(Settings, EverySlotReachesItsNamedField) {
  MetadataEngine engine;
  const std::string doc = test::FInfo(test::FullSettings());
  ASSERT_TRUE(inputdata_xml(engine, doc.data(), static_cast<uint32_t>(doc.size()), "a.xml"));
  test::SettingsRecord out;
  ASSERT_TRUE(outdata_finfo_osd(engine, "a.xml", &out.record));
  const _SF_INFO_OSD& r = out.record;
  EXPECT_STREQ(r.timeZoneRule, "EST5EDT");
  EXPECT_STREQ(r.styleType, "24h");
  EXPECT_STREQ(r.style, "YYYY/MM/DD");
  for (int i = 0; i < 5; ++i) {
    const std::string n = std::to_string(i + 1);
    SCOPED_TRACE("camera " + n);
    EXPECT_EQ(r.cameraName[i], "Cam" + n);
    EXPECT_EQ(r.osdMaster[i], "m" + n);
    EXPECT_EQ(r.osdDate[i], "d" + n);
    EXPECT_EQ(r.osdField[i], "f" + n);
    EXPECT_EQ(r.osdTrigger[i], "t" + n);
    EXPECT_EQ(r.osdPos[i], "p" + n);
    EXPECT_EQ(r.optionFieldId[2 * i], "fid" + n + "a");
    EXPECT_EQ(r.optionFieldId[2 * i + 1], "fid" + n + "b");
    EXPECT_EQ(r.optionLen[2 * i], "len" + n + "a");
    EXPECT_EQ(r.optionLen[2 * i + 1], "len" + n + "b");
    EXPECT_EQ(r.separatorMark[i], "sep" + n);
    EXPECT_EQ(r.sTriggerIcon[i], "sicon" + n);
    EXPECT_EQ(r.speedType[i], "type" + n);
    EXPECT_EQ(r.aspect[i], "16:" + n);
    EXPECT_EQ(r.recordingMode[i], "mode" + n);
    EXPECT_EQ(r.recordingResolution[i], "res" + n);
    EXPECT_EQ(r.recordingBps[i], "bps" + n);
    EXPECT_EQ(r.recordingFps[i], "fps" + n);
    EXPECT_EQ(r.recordingAudioBps[i], "abps" + n);
    EXPECT_EQ(r.fov[i], "fov" + n);
  }
  EXPECT_STREQ(r.triggerSw, "trig-on");
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(r.gpiIcon[i], "icon" + std::to_string(i + 1));
    EXPECT_EQ(r.gpiRefTrigger[i], "R" + std::to_string(i + 1));
  }
  EXPECT_STREQ(r.speedTriggerSw, "ON");
  EXPECT_STREQ(r.speedUnit, "km/h");
  EXPECT_STREQ(r.cameraId, "UNIT-0042");
  for (size_t i = 0; i < test::SettingsRecord::kSlots; ++i) EXPECT_NE(out.Slot(i), "untouched") << "slot " << i;
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
  EXPECT_EQ(At(s, 3), "<null>");
  EXPECT_EQ(At(s, 8), "on");
  EXPECT_EQ(At(s, 13), "off");
  EXPECT_EQ(At(s, 18), "<null>");
  EXPECT_EQ(At(s, 28), "<null>");
  EXPECT_EQ(At(s, 33), "<null>");
  EXPECT_EQ(At(s, 104), "4:3");
  EXPECT_EQ(At(s, 109), "x");
  EXPECT_EQ(At(s, 124), "<null>");
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

TEST(TriggerSummary, SpeedInputAndSwitch) {
  const TriggerSummary s3 = Summary(test::FInfo(test::FullSettings("S3")));
  EXPECT_EQ(s3.speedTriggerGpi, 15);
  EXPECT_EQ(s3.speedTriggerOn, 1);
  EXPECT_EQ(Summary(test::FInfo(test::FullSettings("S6"))).speedTriggerGpi, 0);
  EXPECT_EQ(Summary(test::FInfo(test::FullSettings("S1x"))).speedTriggerGpi, 0);
  const std::string both = R"(<F-Info><TriggerSettings><GPI id="15"><Ref-Trigger>S3</Ref-Trigger></GPI>)"
                           R"(<GPI id="16"><Ref-Trigger>S1</Ref-Trigger></GPI></TriggerSettings></F-Info>)";
  EXPECT_EQ(Summary(both).speedTriggerGpi, 15);
  EXPECT_EQ(Summary(R"(<F-Info><TriggerSettings><GPI id="16"><Ref-Trigger>S5</Ref-Trigger></GPI>)"
                    R"(<GPI id="1"><Ref-Trigger>S1</Ref-Trigger></GPI></TriggerSettings></F-Info>)")
                .speedTriggerGpi,
            16);
  EXPECT_EQ(Summary(test::FInfo(test::FullSettings("S3", "on"))).speedTriggerOn, 0);
  EXPECT_EQ(Summary(test::FInfo(test::FullSettings("S3", "ONE"))).speedTriggerOn, 0);
  const TriggerSummary none = parse_trigger_summary(nullptr, 0);
  EXPECT_EQ(none.speedTriggerOn + none.speedTriggerGpi, 0);
}

TEST(DeviceInfo, ReplacedByEachDocumentOfTheName) {
  MetadataEngine engine;
  const std::string first = test::VInfo();
  ASSERT_TRUE(parse_vinfo(engine, "a", first.data(), static_cast<uint32_t>(first.size())));
  const auto& f = engine.devices.at("a").fields;
  EXPECT_EQ(f[kFirmwareVersion], "1.2.3");
  EXPECT_EQ(f[kRecorderModel], "REC-9");
  EXPECT_EQ(f[kRecorderSerial], "SN1");
  EXPECT_EQ(f[kSlot1Sd], "32GB");
  EXPECT_EQ(f[kSlot1Serial], "SD9");
  EXPECT_EQ(f[kSlot1FwVersion], "4.5");
  EXPECT_EQ(f[kWlan0Mac], "00:11");
  const std::string second = R"(<V-Info><Recorder model="R2"/></V-Info>)";
  parse_vinfo(engine, "a", second.data(), static_cast<uint32_t>(second.size()));
  EXPECT_FALSE(engine.devices.at("a").fields[kWlan0Mac]);
  EXPECT_EQ(engine.devices.at("a").fields[kRecorderModel], "R2");
  EXPECT_FALSE(parse_vinfo(engine, "b", nullptr, 0));
  EXPECT_EQ(engine.devices.count("b"), 0u);
}

}  // namespace
}  // namespace plover
