#pragma once
#include <cstdint>
#include <fstream>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

// What happened in a match, one line per event: game time, who or what, and
// what. Lines go to an echo stream as they come (stdout), to a log file when
// one is open, and are kept for the summary and the tests.
//
// On a terminal a one-line status can be kept below the events: it is
// redrawn in place and cleared before each event line.
class EventLog {
 public:
  explicit EventLog(std::ostream* echo = nullptr) : mEcho(echo) {}

  // Starts the file with `header` (a line beginning "# tidewater-host
  // event log"). Refuses, with the reason in `error`, to replace a file
  // that is not a log of ours, and fails when the file cannot be written.
  bool OpenFile(const std::string& path, const std::string& header, std::string& error);
  // Flushes the file; false (with the reason) when any write to it failed.
  bool FinishFile(std::string& error);
  void Add(float seconds, const std::string& subject, const std::string& text);
  [[nodiscard]] const std::vector<std::string>& Lines() const { return mLines; }
  // Lines whose text contains `fragment`.
  [[nodiscard]] std::size_t Count(const std::string& fragment) const;

  // Called with every line added from now on; an empty function stops it.
  using Observer = std::function<void(float seconds, const std::string& subject, const std::string& text)>;
  void SetObserver(Observer observer) { mObserver = std::move(observer); }

  void ShowStatus(const std::string& status);
  void ClearStatus();

  // The first words of every log file this host writes.
  static constexpr const char* kHeader = "# tidewater-host event log";

  // The first line of the log file of a match on `level` with `seed`.
  [[nodiscard]] static std::string FileHeader(const std::string& level, std::uint32_t seed) {
    return std::string(kHeader) + ": level " + level + ", seed " + std::to_string(seed);
  }

  [[nodiscard]] static std::string Format(float seconds, const std::string& subject, const std::string& text);

 private:
  std::ostream* mEcho;
  std::ofstream mFile;
  std::string mPath;
  bool mWriteFailed = false;
  std::vector<std::string> mLines;
  std::string mStatus;
  Observer mObserver;
};
