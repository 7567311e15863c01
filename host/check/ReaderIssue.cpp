#include "check/ReaderIssue.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "check/ReadableText.h"
#include "check/Suggestion.h"
#include "core/Engine.h"
#include "meta/MetaData.h"
#include "meta/MetaManager.h"
#include "objects/FileFunctions.h"

namespace {

// The readers' own wording, taken apart to find the word they are about.
// By hand, not with std::regex: the word may be megabytes long.
bool Between(std::string_view text, std::string_view prefix, std::string_view suffix, std::string_view& middle) {
  if (text.size() < prefix.size() + suffix.size() || text.substr(0, prefix.size()) != prefix ||
      text.substr(text.size() - suffix.size()) != suffix) {
    return false;
  }
  middle = text.substr(prefix.size(), text.size() - prefix.size() - suffix.size());
  return true;
}

std::vector<std::string> ComponentNames() {
  std::vector<std::string> names;
  for (const auto& [name, factory] : Engine::mFactory.GetComponentFactories()) {
    if (name != L"Object") names.push_back(NarrowName(name));
  }
  return names;
}

std::vector<std::string> MemberNames(const std::string& type) {
  std::vector<std::string> names;
  if (type == "Object") {
    names = ComponentNames();
    names.emplace_back("mName");
    return names;
  }
  if (const META::MetaData* record = META::MetaManager::Get(type)) {
    for (const auto& [name, member] : record->GetMembers()) names.push_back(name);
  }
  return names;
}

// What a word that failed to read as `kind` is: a number that does not fit,
// a number of the wrong kind, or no number at all.
std::string ExplainValue(const std::string& word, const std::string& kind) {
  const std::string shown = "'" + ReadableText::Word(word) + "'";
  std::string text = word;
  if (text.size() > 1 && text.front() == '+') text.erase(0, 1);
  errno = 0;
  char* end = nullptr;
  const double number = std::strtod(text.c_str(), &end);
  const bool numeric = !text.empty() && end == text.c_str() + text.size() && !std::isnan(number);
  if (!numeric) return shown + " is not a number (" + kind + " value is expected here)";
  const bool tooBig = errno == ERANGE || std::isinf(number);
  if (kind == "a float") return shown + " is out of range for a float (about -3.4e38 to 3.4e38)";
  const bool whole = tooBig || std::floor(number) == number;
  if (!whole) return shown + " is not a whole number (" + kind + " value is expected here)";
  if (kind == "an integer") return shown + " is out of range for an integer (-2147483648 to 2147483647)";
  if (kind == "an unsigned") return shown + " is out of range for an unsigned (0 to 4294967295)";
  return shown + " is out of range for a bool (0 or 1)";
}

}  // namespace

namespace ReaderIssue {

bool IsSkippedArchetype(const std::string& reason) {
  std::string_view word;
  return Between(reason, "unknown archetype '", "'; block skipped", word);
}

bool IsSkippedComponent(const std::string& reason) {
  std::string_view word;
  return Between(reason, "unknown component '", "' skipped", word);
}

std::string Explain(const std::string& reason, const std::vector<std::string>& archetypes) {
  std::string_view word;
  if (Between(reason, "unknown archetype '", "'; block skipped", word)) {
    return "unknown archetype '" + ReadableText::Word(word) + "'; block skipped" +
           Suggestion::DidYouMean(word, archetypes);
  }
  if (Between(reason, "unknown component '", "' skipped", word)) {
    return "unknown component '" + ReadableText::Word(word) + "' skipped" +
           Suggestion::DidYouMean(word, ComponentNames());
  }
  std::string_view middle;
  if (Between(reason, "unknown member '", " skipped", middle)) {
    const std::size_t of = middle.rfind("' of ");
    if (of != std::string_view::npos) {
      const std::string_view member = middle.substr(0, of);
      const std::string type(middle.substr(of + 5));
      return "unknown member '" + ReadableText::Word(member) + "' of " + ReadableText::Word(type) + " skipped" +
             Suggestion::DidYouMean(member, MemberNames(type));
    }
  }
  if (Between(reason, "'", " value", middle)) {
    const std::size_t isNot = middle.rfind("' is not ");
    if (isNot != std::string_view::npos) {
      const std::string kind(middle.substr(isNot + 9));
      if (kind == "a float" || kind == "an integer" || kind == "an unsigned" || kind == "a bool") {
        return ExplainValue(std::string(middle.substr(0, isNot)), kind);
      }
    }
  }
  if (Between(reason, "", " is not a bool value", word) && word.size() < 16) {
    return std::string(word) + " is out of range for a bool (0 or 1)";
  }
  if (reason == "cannot be opened") return "the file cannot be read";
  return ReadableText::Message(reason);
}

}  // namespace ReaderIssue
