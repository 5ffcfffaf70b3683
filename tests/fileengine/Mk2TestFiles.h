// Shared by the file engine's tests: writing files into a temporary
// directory, sample texts, and reading back one stored sample.
#ifndef PLOVER_TESTS_FILEENGINE_MK2TESTFILES_H
#define PLOVER_TESTS_FILEENGINE_MK2TESTFILES_H

#include <gtest/gtest.h>

#include <string>

#include "ContainerWriter.h"
#include "TempDir.h"
#include "fileengine/MetaFileEngine.h"

namespace plover::test {

inline std::string Ts(const char* time) { return std::string("<TS>") + time + "</TS>"; }

// Writes `bytes` as `name` in a temporary directory of its own.
class Mk2Files : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = dir_.File(name);
    EXPECT_TRUE(WriteFile(path, bytes));
    return path;
  }
  bool Load(MetaFileEngine& engine, const std::string& name, const std::string& bytes, int32_t form) {
    return engine.load_file(Write(name, bytes).c_str(), form);
  }
  // The stored sample `index` of `path`, or null.
  static const PInfoMk2Sample* Sample(const MetaFileEngine& engine, const std::string& path, uint32_t index) {
    auto file = engine.samplesByFile.find(path);
    if (file == engine.samplesByFile.end()) return nullptr;
    auto sample = file->second.find(index);
    return sample == file->second.end() ? nullptr : &sample->second;
  }
  static std::string TextOf(const Mk2Text& text) { return text ? *text : std::string("(null)"); }

  TempDir dir_;
};

}  // namespace plover::test

#endif
