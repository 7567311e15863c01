#include "ScratchFolder.h"

#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() {
  std::error_code error;
  const char* tmp = std::getenv("TMPDIR");
  const std::string base = fs::is_directory("/dev/shm", error) ? "/dev/shm" : (tmp != nullptr ? tmp : "/tmp");
  std::vector<char> pattern(base.begin(), base.end());
  const std::string name = "/tidewater-fuzz-XXXXXX";
  pattern.insert(pattern.end(), name.begin(), name.end());
  pattern.push_back('\0');
  if (mkdtemp(pattern.data()) == nullptr) {
    std::perror("fuzz: cannot make a scratch folder");
    std::abort();
  }
  mPath = pattern.data();
}

ScratchFolder::~ScratchFolder() {
  std::error_code error;
  fs::remove_all(mPath, error);
}

const std::string& ScratchFolder::Fresh() {
  std::error_code error;
  std::vector<fs::path> left;
  for (const fs::directory_entry& entry : fs::directory_iterator(mPath, error)) left.push_back(entry.path());
  for (const fs::path& path : left) fs::remove_all(path, error);
  return mPath;
}

ScratchFolder& ScratchFolder::ForProcess() {
  static ScratchFolder folder;
  return folder;
}
