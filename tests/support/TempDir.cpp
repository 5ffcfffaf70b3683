#include "TempDir.h"

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace plover::test {

// A random name under the system's temporary folder, tried until one can be
// created (create_directory fails on a name that exists).
TempDir::TempDir() {
  std::error_code error;
  std::string base = std::filesystem::temp_directory_path(error).string();
  if (error || base.empty()) base = "/tmp";
  std::mt19937_64 random(static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                         reinterpret_cast<uintptr_t>(this));
  for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
    const std::string path = base + "/plover-" + std::to_string(random());
    if (std::filesystem::create_directory(path, error) && !error) path_ = path;
  }
}

TempDir::~TempDir() {
  if (path_.empty()) return;
  std::error_code error;
  std::filesystem::remove_all(path_, error);
}

}  // namespace plover::test
