#pragma once
#include <cstddef>
#include <streambuf>
#include <string_view>

#include "meta/GetArea.h"

// Finding words in a buffer in place, shared by the word reads and the
// block reader's line-at-a-time path. Not part of the library's interface.
namespace META::Scan {

constexpr auto IsSpace = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
constexpr auto IsWordChar = [](char c) { return !IsSpace(c); };

// The first character in [at, end) that is not a space (kSpace) or that is
// one (!kSpace); `end` when there is none. Byte by byte: the runs are a few
// characters long, and sixteen-byte compares measured slower here.
template <bool kSpace>
inline char* FindFirst(char* at, char* const end) {
  if constexpr (kSpace) {
    while (at < end && IsSpace(*at)) ++at;
  } else {
    while (at < end && IsWordChar(*at)) ++at;
  }
  return at;
}

// The next word of [at, end) when it and the character after it lie there;
// `after` is then that character. False otherwise.
inline bool WordIn(char* at, char* const end, std::string_view& word, char*& after) {
  char* const start = FindFirst<true>(at, end);
  char* const stop = FindFirst<false>(start, end);
  if (stop == end || stop == start) return false;
  word = std::string_view(start, static_cast<std::size_t>(stop - start));
  after = stop;
  return true;
}

// The common case of a word read: the blanks before the word, the word and
// the character after it all lie in the get area. False when they do not.
inline bool ReadWordInPlace(std::streambuf& buffer, std::string_view& word) {
  char* const next = GetArea::Next(buffer);
  char* after = nullptr;
  if (!WordIn(next, GetArea::End(buffer), word, after)) return false;
  GetArea::Advance(buffer, after - next);
  return true;
}

}  // namespace META::Scan
