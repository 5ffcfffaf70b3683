#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/BinaryDecoder.h"
#include "engine/MetadataEngine.h"

namespace plover {
namespace {

// A record built byte by byte, with room for a longer buffer.
struct Record {
  std::vector<unsigned char> bytes = std::vector<unsigned char>(1000, 0);
  void Put(size_t offset, const std::string& text) { std::memcpy(&bytes[offset], text.data(), text.size()); }
  void Put(size_t offset, std::initializer_list<unsigned char> values) {
    for (unsigned char v : values) bytes[offset++] = v;
  }
};

std::string Decode(const MetadataEngine& engine, const Record& r, _SP_INFO_OSD* record, uint32_t length = 284,
                   int32_t* result = nullptr) {
  std::vector<unsigned char> aux(2048, '#');
  const int32_t n = decode_binary_pinfo(engine, r.bytes.data(), length, aux.data(), 2048, record);
  if (result) *result = n;
  return n < 0 ? "" : std::string(reinterpret_cast<char*>(aux.data()), static_cast<size_t>(n));
}

std::string Unset(int camera) {
  return "<CAM-STAT c" + std::to_string(camera) + "=\"0\" ip=\"0.0.0.0\" mac=\"00:00:00:00:00:00\"/>\r\n";
}

TEST(BinaryDecoder, FullRecordGivesCanonicalTextAndDisplayTexts) {
  Record r;
  r.Put(8, "2015/06/30 12:34:56.789");
  r.Put(40, "RS");
  r.Put(48, "000000000000000000000001");
  for (int i = 0; i < 5; ++i) r.Put(76 + 4 * i, std::to_string(10 * (i + 1)));
  r.Put(96, "N35.6581");
  r.Put(108, "E139.7414");
  r.Put(124, "40.5");
  r.Put(132, "12");
  r.Put(136, "123456");  // GPS hour, minute, second
  r.Put(144, "300615");  // GPS day, month, year in the century
  r.Put(152, "8");
  r.Put(156, "20150630");  // time synchronisation: century 20
  r.Put(188, "21.5");
  r.Put(196, "-3");
  r.Put(204, {1, 0, 0, 0, 255});
  r.Put(212, {192, 168, 0, 10});
  r.Put(212 + 16, {255, 255, 255, 255});
  r.Put(232, {0, 128, 240, 1, 2, 171});
  r.Put(272, {1, 2, 3});
  r.Put(276, {1, 2, 3, 4, 5, 6, 7});

  MetadataEngine engine;
  char longitude[64], speed[64], ts[64], name[4] = "##";
  _SP_INFO_OSD record{};
  record.longitude = longitude;
  record.speed[3] = speed;
  record.ts = ts;
  record.fileName = name;
  record.sampleTime = 5;

  const std::string text = Decode(engine, r, &record);
  EXPECT_EQ(
      text,
      "<Index no=\"\">\r\n<TS>2015/06/30 12:34:56.789</TS>\r\n<G-STAT>000000000000000000000001</G-STAT>\r\n"
      "<GPS>\r\n<Latitude>N35.6581</Latitude>\r\n<Longitude>E139.7414</Longitude>\r\n<Altitude>40.5</Altitude>\r\n"
      "<Own>12</Own>\r\n<GPS_TS>2015-06-30T12:34:56Z</GPS_TS>\r\n<Satelite>8</Satelite>\r\n</GPS>\r\n"
      "<Radar>\r\n<Speed id=\"1\">10</Speed>\r\n<Speed id=\"2\">20</Speed>\r\n<Speed id=\"3\">30</Speed>\r\n"
      "<Speed id=\"4\">40</Speed>\r\n<Speed id=\"5\">50</Speed>\r\n</Radar>\r\n"
      "<TimeSync>20150630</TimeSync>\r\n<R-STAT>RS</R-STAT>\r\n"
      "<CAM-STAT c1=\"1\" ip=\"192.168.0.10\" mac=\"00:80:f0:01:02:ab\"/>\r\n"
      "<CAM-STAT c2=\"0\" ip=\"0.0.0.0\" mac=\"00:00:00:00:00:00\"/>\r\n" +
          Unset(3) + Unset(4) +
          "<CAM-STAT c5=\"255\" ip=\"255.255.255.255\" mac=\"00:00:00:00:00:00\"/>\r\n"
          "<MIC-STAT a1=\"1\" a2=\"2\" a3=\"3\"/>\r\n"
          "<A-Mute c2=\"1\" c3=\"2\" c4=\"3\" c5=\"4\" a1=\"5\" a2=\"6\" a3=\"7\"/>\r\n"
          "<TEMP id=\"1\">21.5</TEMP>\r\n<TEMP id=\"2\">-3</TEMP>\r\n</Index>");
  // The file name and the time are never touched, nothing is stored.
  EXPECT_EQ(std::string(longitude) + "|" + speed + "|" + ts + "|" + name, "E139.7414|40|2015/06/30 12:34:56.789|##");
  EXPECT_EQ(record.sampleTime, 5u);
  EXPECT_TRUE(engine.samples.empty());

  // A longer buffer reads the same 284 bytes; a null aux computes the length.
  int32_t full = 0;
  EXPECT_EQ(Decode(engine, r, &record, 1000, &full), text);
  EXPECT_EQ(decode_binary_pinfo(engine, r.bytes.data(), 284, nullptr, 5000, &record), full);
}

TEST(BinaryDecoder, ShortZeroAndUnterminatedRecords) {
  MetadataEngine engine;
  Record r;
  char ts[64] = "untouched";
  _SP_INFO_OSD record{};
  record.ts = ts;
  int32_t result = 0;
  Decode(engine, r, &record, 283, &result);
  EXPECT_EQ(result, -1);
  EXPECT_STREQ(ts, "untouched");

  EXPECT_NE(Decode(engine, r, &record).find("<GPS_TS>--T::Z</GPS_TS>"), std::string::npos);
  EXPECT_STREQ(ts, "");

  // Fields without a NUL are read to their full width only.
  r.Put(8, std::string(32, 'T'));
  EXPECT_NE(Decode(engine, r, &record).find("<TS>" + std::string(32, 'T') + "</TS>"), std::string::npos);
  EXPECT_EQ(std::string(ts), std::string(32, 'T'));
  // A display text as long as the OSD info size is replaced by an empty one.
  engine.osdInfoSize = 32;
  std::strcpy(ts, "x");
  Decode(engine, r, &record);
  EXPECT_STREQ(ts, "");
  engine.osdInfoSize = 0;
  std::strcpy(ts, "x");
  Decode(engine, r, &record);
  EXPECT_STREQ(ts, "x");
}

}  // namespace
}  // namespace plover
