#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// One fuzz input that stands for several files: the text before the first
// header line is the first file, and each header line
//   === NAME
// starts a file called NAME holding the text up to the next header. A name
// ending in '/' makes an (empty) folder instead, and an empty name makes
// nothing, so an input can also leave the folder empty. fuzz/pack.sh packs a
// level folder this way.
class PackedFiles {
 public:
  struct File {
    std::string name;
    std::string_view text;
  };

  static constexpr std::string_view kHeader = "=== ";
  // More files than this are dropped: a folder of a few archetypes is what
  // a level has, and thousands of files would only slow the run down.
  static constexpr std::size_t kMaxFiles = 32;

  // The unnamed first file (possibly empty) and the named ones after it.
  explicit PackedFiles(std::string_view input);

  [[nodiscard]] std::string_view First() const { return mFirst; }
  [[nodiscard]] const std::vector<File>& Named() const { return mNamed; }
  [[nodiscard]] bool HasHeaders() const { return mHasHeaders; }

  // Writes the named files into `folder`, which exists. Names become safe
  // single names: '/' and NUL turn into '_', "." and ".." are dropped, and
  // long names are cut, so nothing is written outside the folder.
  void WriteNamed(const std::string& folder) const;

 private:
  std::string_view mFirst;
  std::vector<File> mNamed;
  bool mHasHeaders = false;
};
