#include "OutputFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>

#include "ToolError.h"

namespace plovermeta {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// "cannot write PATH: REASON" from the error the system gave.
ToolError CannotWrite(const std::string& path, int error) {
  return ToolError(kExitOutput, "cannot write " + path + ": " + std::strerror(error));
}

}  // namespace

void RefuseExisting(const std::string& path, bool force) {
  std::error_code error;
  if (path != "-" && !force && std::filesystem::exists(path, error)) {
    throw ToolError(kExitOutput, path + " exists; add --force to write over it");
  }
}

void WriteOutput(const std::string& path, const std::string& bytes, bool force) {
  if (path == "-") {
    std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    std::cout.flush();
    if (!std::cout) throw ToolError(kExitOutput, "cannot write to standard output");
    return;
  }
  std::error_code error;
  if (std::filesystem::exists(path, error)) {
    if (!force) throw ToolError(kExitOutput, path + " exists; add --force to write over it");
    if (std::filesystem::is_directory(path, error)) throw ToolError(kExitOutput, path + " is a folder");
  }
  errno = 0;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) throw CannotWrite(path, errno);
  if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() || std::fflush(file.get()) != 0) {
    const int written = errno;
    file.reset();
    throw CannotWrite(path, written);
  }
  if (std::fclose(file.release()) != 0) throw CannotWrite(path, errno);
}

}  // namespace plovermeta
