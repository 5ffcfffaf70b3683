#include "OutputFile.h"

#include <filesystem>
#include <fstream>
#include <iostream>

#include "ToolError.h"

namespace plovermeta {

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
    return;
  }
  std::error_code error;
  if (std::filesystem::exists(path, error)) {
    if (!force) throw ToolError(kExitOutput, path + " exists; add --force to write over it");
    if (std::filesystem::is_directory(path, error)) throw ToolError(kExitOutput, path + " is a folder");
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw ToolError(kExitOutput, "cannot write " + path);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw ToolError(kExitOutput, "cannot write " + path);
}

}  // namespace plovermeta
