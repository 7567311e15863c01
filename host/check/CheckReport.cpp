#include "check/CheckReport.h"

#include <algorithm>
#include <ostream>

#include "check/ReadableText.h"

namespace {

// Tools get more than a person, but no file makes the report unbounded.
constexpr std::size_t kJsonShown = 1000;

std::string Location(const CheckReport::Problem& problem) {
  if (problem.file.empty()) return {};
  std::string where = ReadableText::Escaped(problem.file);
  if (problem.line != 0) where += ":" + std::to_string(problem.line);
  return where + ": ";
}

}  // namespace

void CheckReport::Add(std::string file, std::uint32_t line, std::string message) {
  if (std::find(mFiles.begin(), mFiles.end(), file) == mFiles.end()) mFiles.push_back(file);
  mProblems.push_back({std::move(file), line, ReadableText::Message(message)});
}

void CheckReport::Sort() {
  const auto rank = [this](const std::string& file) {
    return static_cast<std::size_t>(std::find(mFiles.begin(), mFiles.end(), file) - mFiles.begin());
  };
  std::stable_sort(mProblems.begin(), mProblems.end(), [&](const Problem& a, const Problem& b) {
    const std::size_t fileA = rank(a.file);
    const std::size_t fileB = rank(b.file);
    return fileA != fileB ? fileA < fileB : a.line < b.line;
  });
}

void CheckReport::Print(std::ostream& out, const std::string& level, std::size_t objects,
                        std::size_t archetypes) const {
  const std::size_t shown = std::min(mProblems.size(), kShown);
  for (std::size_t i = 0; i < shown; ++i) out << Location(mProblems[i]) << mProblems[i].message << '\n';
  if (mProblems.size() > shown) out << "... and " << mProblems.size() - shown << " more problems not shown\n";
  out << ReadableText::Word(level) << ": " << objects << " objects, " << archetypes << " archetypes: ";
  if (mProblems.empty()) {
    out << "clean\n";
  } else {
    out << mProblems.size() << (mProblems.size() == 1 ? " problem\n" : " problems\n");
  }
}

void CheckReport::PrintJson(std::ostream& out, const std::string& level, std::size_t objects,
                            std::size_t archetypes) const {
  out << "{\"level\": " << ReadableText::Json(ReadableText::Word(level))
      << ", \"clean\": " << (mProblems.empty() ? "true" : "false") << ", \"objects\": " << objects
      << ", \"archetypes\": " << archetypes << ", \"count\": " << mProblems.size() << ", \"problems\": [";
  const std::size_t shown = std::min(mProblems.size(), kJsonShown);
  for (std::size_t i = 0; i < shown; ++i) {
    const Problem& problem = mProblems[i];
    out << (i == 0 ? "\n  " : ",\n  ") << "{\"file\": " << ReadableText::Json(problem.file)
        << ", \"line\": " << problem.line << ", \"message\": " << ReadableText::Json(problem.message) << "}";
  }
  out << (shown == 0 ? "" : "\n") << "], \"omitted\": " << mProblems.size() - shown << "}\n";
}
