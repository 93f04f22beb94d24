// A fresh folder under /tmp for one test, removed with everything in it when
// the test is done with it.
#ifndef TEMPFOLDER_H
#define TEMPFOLDER_H

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

class TempFolder {
public:
  explicit TempFolder(const char *prefix) {
    std::string pattern = "/tmp/" + std::string(prefix) + "-XXXXXX";
    if (mkdtemp(pattern.data())) path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder &) = delete;
  TempFolder &operator=(const TempFolder &) = delete;

  // The folder's path; empty when it could not be made.
  const std::string &path() const { return path_; }

private:
  std::string path_;
};

#endif
