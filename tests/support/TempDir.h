// A fresh directory for a test's files, removed with everything in it when
// the object goes away.
#ifndef PLOVER_TESTS_SUPPORT_TEMPDIR_H
#define PLOVER_TESTS_SUPPORT_TEMPDIR_H

#include <string>

namespace plover::test {

class TempDir {
 public:
  TempDir();  // under $TMPDIR (or /tmp); path() is empty when it failed
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // `name` inside the directory.
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace plover::test

#endif
