// Writing the tool's files: never over an existing file unless forced.
#ifndef PLOVERMETA_OUTPUTFILE_H
#define PLOVERMETA_OUTPUTFILE_H

#include <string>

namespace plovermeta {

// Writes `bytes` to `path` ("-": standard output).  Throws ToolError
// (output) when the file exists and `force` is false, or when it cannot be
// written.
void WriteOutput(const std::string& path, const std::string& bytes, bool force);

// Throws as WriteOutput would when `path` exists and `force` is false.
void RefuseExisting(const std::string& path, bool force);

}  // namespace plovermeta

#endif
