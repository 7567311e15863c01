#pragma once
#include <iosfwd>
#include <string>

#include "replay/Recording.h"

struct HostOptions;

// `tidewater-host replay FILE`: loads the recorded level and plays the
// match again from its recording, headless as fast as it goes or in a
// window at a speed, then prints the summary, how much faster than the
// recorded time it ran, and where it diverged if it did (exit 1).
class MatchReplay {
 public:
  MatchReplay(std::ostream& out, std::ostream& err) : mOut(out), mErr(err) {}

  // The process's exit code: 0 replayed the same, 1 diverged or refused, 2 unreadable.
  int Run(const HostOptions& options);

 private:
  // The recording, or false after saying what is wrong with the file.
  bool Load(const std::string& path, Recording& recording);
  // Whether the recorded level may be replayed here.
  bool CheckLevel(const std::string& path, const Recording& recording, bool force);
  int Play(const HostOptions& options, const Recording& recording);

  std::ostream& mOut;
  std::ostream& mErr;
};
