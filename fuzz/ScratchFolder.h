#pragma once
#include <string>

// Where a fuzz target writes the files of one input: a folder of this
// process's own in memory (/dev/shm when there is one), emptied before each
// input and removed at exit, so that no input sees another's files and
// parallel fuzzing jobs never share one.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The process's own, made on first use.
  static ScratchFolder& ForProcess();

  // Removes whatever the last input left and returns the (empty) folder.
  const std::string& Fresh();
  [[nodiscard]] const std::string& Path() const { return mPath; }

 private:
  std::string mPath;
};
