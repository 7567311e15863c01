#pragma once
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

// What `check` found in a level: problems with the file and line they are
// about, printed for a person or as JSON for tools. A level with thousands
// of problems prints the first few dozen and a count of the rest.
class CheckReport {
 public:
  struct Problem {
    std::string file;  // native path, or "" for the level as a whole
    std::uint32_t line = 0;
    std::string message;
  };

  static constexpr std::size_t kShown = 40;

  void Add(std::string file, std::uint32_t line, std::string message);
  // Sorts by file (in the order files were first named) and line, keeping
  // the order of problems on the same line.
  void Sort();

  [[nodiscard]] const std::vector<Problem>& Problems() const { return mProblems; }
  [[nodiscard]] bool Clean() const { return mProblems.empty(); }

  // "file:line: message" lines, at most kShown, then the verdict line
  // "<level>: N objects, M archetypes: clean" (or "K problems").
  void Print(std::ostream& out, const std::string& level, std::size_t objects, std::size_t archetypes) const;
  void PrintJson(std::ostream& out, const std::string& level, std::size_t objects, std::size_t archetypes) const;

 private:
  std::vector<Problem> mProblems;
  std::vector<std::string> mFiles;
};
