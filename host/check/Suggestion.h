#pragma once
#include <string>
#include <string_view>
#include <vector>

// "Did you mean ...?" for a misspelt name: the closest of the known names,
// by edit distance with letter case ignored, when it is close enough to be
// what the writer meant.
namespace Suggestion {

// The closest candidate, or "" when none is within about a third of the
// word's length (at least 2 edits for short names).
[[nodiscard]] std::string Closest(std::string_view word, const std::vector<std::string>& candidates);

// " (did you mean 'X'?)" for the closest candidate, or "".
[[nodiscard]] std::string DidYouMean(std::string_view word, const std::vector<std::string>& candidates);

}  // namespace Suggestion
