#include "check/Suggestion.h"

#include <algorithm>
#include <cctype>
#include <cstddef>

namespace Suggestion {

namespace {

// Words longer than this are no misspelling of a name.
constexpr std::size_t kLongestName = 64;

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

std::size_t Distance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      const std::size_t substitution = diagonal + (Lower(a[i - 1]) == Lower(b[j - 1]) ? 0 : 1);
      row[j] = std::min({above + 1, row[j - 1] + 1, substitution});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

std::string Closest(std::string_view word, const std::vector<std::string>& candidates) {
  if (word.empty() || word.size() > kLongestName) return {};
  const std::size_t allowed = std::max<std::size_t>(2, word.size() / 3);
  std::string best;
  std::size_t bestDistance = allowed + 1;
  for (const std::string& candidate : candidates) {
    if (candidate.empty() || candidate == word) continue;
    const std::size_t distance = Distance(word, candidate);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = candidate;
    }
  }
  return best;
}

std::string DidYouMean(std::string_view word, const std::vector<std::string>& candidates) {
  const std::string best = Closest(word, candidates);
  return best.empty() ? std::string() : " (did you mean '" + best + "'?)";
}

}  // namespace Suggestion
