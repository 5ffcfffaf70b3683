// Example files of every form cut off at every byte of their last records
// and at random places: the samples recovered are exactly the complete ones
// before the cut, and a cut before the first complete sample is an error.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>

#include "TempDir.h"
#include "TimeZone.h"
#include "plover/Recording.h"
#include "recording/Recovery.h"

namespace plover {
namespace {

const std::string kDir = PLOVER_EXAMPLES_DIR;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

uint32_t U32(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (size_t i = 4; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// Where each record ends, in file order.
std::vector<size_t> TaggedEnds(const std::string& bytes) {
  std::vector<size_t> ends;
  for (size_t at = bytes.find("</Index>"); at != std::string::npos; at = bytes.find("</Index>", at + 1)) {
    ends.push_back(at + 8);
  }
  return ends;
}

std::vector<size_t> ContainerEnds(const std::string& bytes) {
  std::vector<size_t> ends;
  for (size_t chunk = 0; chunk + 128 < bytes.size(); chunk += U32(bytes, chunk + 4)) {
    if (bytes.compare(chunk, 4, "DHED") != 0) continue;
    const size_t end = std::min<size_t>(chunk + U32(bytes, chunk + 4), bytes.size());
    for (size_t record = chunk + 24; record + 32 <= end && U32(bytes, record + 8) > 0;
         record += U32(bytes, record + 8)) {
      ends.push_back(record + U32(bytes, record + 8));
    }
  }
  return ends;
}

// Four records with times a second apart, from the example's one.
std::string BinaryRecords() {
  const std::string record = ReadFile(kDir + "/20260314_100100.bin");
  std::string bytes;
  for (char second = '0'; second < '4'; ++second) {
    bytes += record;
    bytes[bytes.size() - record.size() + 8 + 18] = second;
  }
  return bytes;
}

// Every byte from three records before the last to the end, and random
// places before.
std::vector<size_t> CutOffsets(const std::vector<size_t>& ends, size_t size) {
  std::vector<size_t> offsets;
  for (size_t cut = ends[ends.size() - 4]; cut < size; ++cut) offsets.push_back(cut);
  std::mt19937 random(17);
  for (int i = 0; i < 12; ++i) offsets.push_back(13 + random() % (ends[ends.size() - 4] - 13));
  return offsets;
}

using Opener = std::function<Recording(const std::string& bytes)>;

// `looksWhole(cut)`: a cut there leaves a file that looks whole; without
// it, a cut that loses only line breaks at the end.
void ExpectRecovery(const std::string& whole, const std::vector<size_t>& ends, const Opener& open,
                    std::function<bool(size_t)> looksWhole = nullptr) {
  if (!looksWhole) looksWhole = [&](size_t cut) { return whole.find_first_not_of("\r\n", cut) == std::string::npos; };
  const Recording uncut = open(whole);
  ASSERT_EQ(uncut.samples().size(), ends.size());
  EXPECT_FALSE(uncut.recovery().cutOff);
  size_t faults = 0;
  for (size_t cut : CutOffsets(ends, whole.size())) {
    const size_t complete = static_cast<size_t>(std::upper_bound(ends.begin(), ends.end(), cut) - ends.begin());
    std::string fault;
    bool opened = false;
    try {
      const Recording r = open(whole.substr(0, cut));
      opened = true;
      const Recovery& recovery = r.recovery();
      const bool whole = looksWhole(cut);
      if (recovery.cutOff == whole || recovery.cutAt != (whole ? 0 : cut) ||
          recovery.recovered != (whole ? 0 : complete) || r.samples().size() != complete) {
        fault = "recovered " + std::to_string(r.samples().size()) + ", cutAt " + std::to_string(recovery.cutAt);
      }
      for (size_t i = 0; fault.empty() && i < complete; ++i) {
        const Sample got = r.samples()[i], want = uncut.samples()[i];
        bool same = got.key == want.key && got.number == want.number && got.writtenMs == want.writtenMs;
        for (size_t f = 0; f < kFieldCount; ++f) {
          // The file name is the cut file's, never that of a repaired copy.
          if (f == static_cast<size_t>(Field::kFileName)) {
            same = same && (r.form() == Form::kDocument || got.texts[f] == r.path() || got.texts[f] == r.name());
          } else {
            same = same && got.texts[f] == want.texts[f];
          }
        }
        if (!same) fault = "sample " + std::to_string(i) + " differs";
      }
    } catch (const Error& error) {
      if (complete > 0 || error.code() != ErrorCode::kEmpty) fault = error.what();
    }
    if (opened && complete == 0) fault = "opened without a complete sample";
    if (!fault.empty() && ++faults <= 5) ADD_FAILURE() << "cut at " << cut << " of " << whole.size() << ": " << fault;
  }
}

class CutOffTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir_.path().empty());
    // Repaired copies go to the temporary folder: this one, to see them go.
    setenv("TMPDIR", dir_.path().c_str(), 1);
  }
  void TearDown() override {
    unsetenv("TMPDIR");
    size_t left = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) left += entry.path() != cut_ ? 1 : 0;
    EXPECT_EQ(left, 0u) << "repaired copies left behind";
  }
  // Opens `bytes` from a file on disk, as second-generation files are read.
  Opener FromDisk(const char* name) {
    cut_ = dir_.File(name);
    return [this](const std::string& bytes) {
      std::ofstream(cut_, std::ios::binary | std::ios::trunc) << bytes;
      return Recording::Open(cut_.string());
    };
  }
  test::ScopedTimeZone zone_{"UTC0"};
  test::TempDir dir_;
  std::filesystem::path cut_;
};

TEST_F(CutOffTest, DocumentKeepsEveryCompleteSample) {
  const std::string whole = ReadFile(kDir + "/20260314_100000.xml");
  ExpectRecovery(whole, TaggedEnds(whole),
                 [](const std::string& bytes) { return Recording::FromBytes(bytes, "cut.xml"); });
}

TEST_F(CutOffTest, TextFileKeepsEveryCompleteSample) {
  const std::string whole = ReadFile(kDir + "/20260314_100000_M2.txt");
  ExpectRecovery(whole, TaggedEnds(whole), FromDisk("cut_M2.txt"));
}

TEST_F(CutOffTest, ContainerKeepsEveryCompleteRecord) {
  const std::string whole = ReadFile(kDir + "/20260314_100000_M2.dat");
  ExpectRecovery(whole, ContainerEnds(whole), FromDisk("cut_M2.dat"));
}

// The repaired copy walks as a whole container does: chunks up to the
// 128-byte tail, the complete records only, index entries inside the file.
TEST(RepairContainerTest, ChunksRecordsAndIndexEndBeforeTheTail) {
  const std::string whole = ReadFile(kDir + "/20260314_100000_M2.dat");
  const std::vector<size_t> ends = ContainerEnds(whole);
  for (size_t cut : CutOffsets(ends, whole.size())) {
    const std::optional<std::string> repaired = RepairContainer(std::string_view(whole).substr(0, cut));
    ASSERT_TRUE(repaired) << cut;
    const size_t bound = repaired->size() - 128;
    size_t chunk = 0, data = 0;
    for (; chunk < bound; chunk += U32(*repaired, chunk + 4))
      data = repaired->compare(chunk, 4, "DHED") == 0 ? chunk : data;
    EXPECT_EQ(chunk, bound) << cut;
    const size_t complete = static_cast<size_t>(std::upper_bound(ends.begin(), ends.end(), cut) - ends.begin());
    const std::vector<size_t> kept = ContainerEnds(*repaired);
    EXPECT_TRUE(kept.size() == complete && std::equal(kept.begin(), kept.end(), ends.begin())) << cut;
    const size_t table = U32(*repaired, 80);
    for (size_t i = 0; table != 0 && i < U32(*repaired, table + 16); ++i) {
      EXPECT_LE(data + U32(*repaired, table + 24 + 8 * i) + 24, bound) << cut;
    }
  }
}

TEST_F(CutOffTest, BinaryRecordsKeepEveryCompleteRecord) {
  const std::string whole = BinaryRecords();
  std::vector<size_t> ends;
  for (size_t end = kBinaryRecordSize; end <= whole.size(); end += kBinaryRecordSize) ends.push_back(end);
  // Every byte of the file: a cut inside the first record is known as one.
  ExpectRecovery(
      whole, ends, [](const std::string& bytes) { return Recording::FromBytes(bytes, "cut.bin"); },
      [](size_t cut) { return cut % kBinaryRecordSize == 0; });
}

}  // namespace
}  // namespace plover
