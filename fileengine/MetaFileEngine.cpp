#include "fileengine/MetaFileEngine.h"

#include <cstdint>

#include "fileengine/FileReader.h"
#include "platform/File.h"

namespace plover {

void MetaFileEngine::clear_files() {
  samplesByFile.clear();
  fileInfoByFile.clear();
  fileForm = kNoForm;
}

namespace {

// Empties currentPath when a load ends, however it ends.
class CurrentPathScope {
 public:
  CurrentPathScope(std::string& currentPath, const char* path) : currentPath_(currentPath) { currentPath_ = path; }
  ~CurrentPathScope() { currentPath_.clear(); }
  CurrentPathScope(const CurrentPathScope&) = delete;
  CurrentPathScope& operator=(const CurrentPathScope&) = delete;

 private:
  std::string& currentPath_;
};

}  // namespace

// Paths are byte strings: they go to the system's open call unchanged and
// serve unchanged as keys, so two spellings of one file are two files.
bool MetaFileEngine::load_file(const char* path, int32_t option) {
  if (path == nullptr) return false;
  if (option != kContainerForm && option != kTextForm) return false;
  if (fileForm != kNoForm && fileForm != option) return false;
  fileForm = option;  // stays chosen even when the load fails below
  if (samplesByFile.find(std::string_view(path)) != samplesByFile.end()) return false;

  platform::File file;  // closed when it goes out of scope
  if (!file.Open(path)) return false;
  uint64_t size64 = 0;
  if (!file.Size(&size64)) return false;

  CurrentPathScope scope(currentPath, path);
  const uint32_t size = size64 > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(size64);
  FileReader reader(file, size);
  const bool read = option == kContainerForm ? read_container(reader, size) : read_text_file(reader, size);
  bytesExamined += reader.bytes_read();
  return read;
}

}  // namespace plover
