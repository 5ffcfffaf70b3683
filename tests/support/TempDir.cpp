#include "TempDir.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>
#include <vector>

namespace plover::test {
namespace {

#if defined(_WIN32)
// No mkdtemp here: try random names until one can be created.
std::string MakeUniqueDir(const std::string& base) {
  std::mt19937_64 random(static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                         reinterpret_cast<uintptr_t>(&base));
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string path = base + "/plover-" + std::to_string(random());
    std::error_code error;
    if (std::filesystem::create_directory(path, error) && !error) return path;
  }
  return std::string();
}
#else
std::string MakeUniqueDir(const std::string& base) {
  std::string pattern = base + "/plover-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  return ::mkdtemp(name.data()) != nullptr ? std::string(name.data()) : std::string();
}
#endif

}  // namespace

TempDir::TempDir() {
  std::error_code error;
  std::string base = std::filesystem::temp_directory_path(error).string();
  if (error || base.empty()) base = "/tmp";
  path_ = MakeUniqueDir(base);
}

TempDir::~TempDir() {
  if (path_.empty()) return;
  std::error_code error;
  std::filesystem::remove_all(path_, error);
}

}  // namespace plover::test
