#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Export.h"

namespace META {

// One thing a reader skipped or stopped at. `file` and `line` are empty and 0
// when the stream was not a TextInput.
struct TextReadIssue {
  std::string file;
  std::uint32_t line = 0;
  std::string reason;
};

// Collects what the text readers skipped and where. The library writes no
// log: a caller who wants to know hands a report to a TextInput, or installs
// one for the current thread around a load.
class TW_API TextReadReport {
 public:
  // Installs a report for this thread while it lives; the previous one comes back after.
  class TW_API Scope {
   public:
    explicit Scope(TextReadReport& report);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    TextReadReport* mPrevious;
  };

  void Add(TextReadIssue issue) { mIssues.push_back(std::move(issue)); }
  [[nodiscard]] const std::vector<TextReadIssue>& Issues() const { return mIssues; }
  [[nodiscard]] bool Empty() const { return mIssues.empty(); }
  void Clear() { mIssues.clear(); }

  // The report installed on this thread, or nullptr.
  [[nodiscard]] static TextReadReport* Installed();

 private:
  std::vector<TextReadIssue> mIssues;
};

}  // namespace META
