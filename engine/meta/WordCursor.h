#pragma once
#include <bit>
#include <cstddef>
#include <cstdint>
#include <streambuf>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "meta/GetArea.h"
#include "meta/WordScan.h"

// Walking the words of a buffer from bit masks of its blanks, 64 characters
// at a time. A byte-by-byte search ends each short run of blanks or word
// characters on a branch the processor cannot foresee; here the end of a run
// is one count of trailing zeros. Not part of the library's interface.
namespace META {

class WordCursor {
 public:
  WordCursor(char* at, char* end) : mAt(at), mEnd(end) { Load(at); }

  // Where the next search starts: the character after the last word read.
  [[nodiscard]] char* At() const { return mAt; }

  // The next word, when it and the character after it lie before the end;
  // the cursor then moves onto that character. False, with the cursor left
  // where it was, otherwise.
  [[gnu::always_inline]] bool Next(std::string_view& word) {
    char* const start = Find<false>(mAt);
    char* const stop = start < mEnd ? Find<true>(start) : mEnd;
    if (stop >= mEnd) {
      // The search may have masked chunks past the cursor.
      Load(mAt);
      return false;
    }
    word = std::string_view(start, static_cast<std::size_t>(stop - start));
    mAt = stop;
    return true;
  }

  // Steps over the writer's " : " when the cursor is on it and a word
  // follows; false, with the cursor left where it was, otherwise.
  [[gnu::always_inline]] bool SkipSeparator() {
    if (mEnd - mAt < 4 || mAt[0] != ' ' || mAt[1] != ':' || mAt[2] != ' ' || Scan::IsSpace(mAt[3])) return false;
    mAt += 2;
    return true;
  }

 private:
  static constexpr std::ptrdiff_t kChunk = 64;

  // The first character at or after `from` that is a blank (kSpace) or is
  // not one (!kSpace); at or past the end when none lies before it.
  template <bool kSpace>
  [[gnu::always_inline]] char* Find(char* from) {
    for (;;) {
      const std::ptrdiff_t offset = from - mChunk;
      if (offset < kChunk) {
        const std::uint64_t wanted = (kSpace ? mSpaces : ~mSpaces) & (~std::uint64_t{0} << offset);
        if (wanted != 0) {
          const std::ptrdiff_t found = std::countr_zero(wanted);
          return found < mEnd - mChunk ? mChunk + found : mEnd;
        }
      }
      if (mEnd - mChunk <= kChunk) return mEnd;
      Load(mChunk + kChunk);
      if (from < mChunk) from = mChunk;
    }
  }

  // Masks the chunk at `chunk`: bit i is set when chunk[i] is a blank or a
  // line end. Characters at or past the end count as word characters, so a
  // word reaching the end is never taken as whole.
  [[gnu::noinline]] void Load(char* chunk) {
    mChunk = chunk;
    mSpaces = 0;
#if defined(__SSE2__)
    if (mEnd - chunk >= kChunk) {
      for (int part = 0; part < 4; ++part) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chunk + 16 * part));
        const __m128i blank = _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(' ')),
                                           _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\t')));
        const __m128i lineEnd = _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n')),
                                             _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r')));
        const auto bits = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_or_si128(blank, lineEnd)));
        mSpaces |= static_cast<std::uint64_t>(bits) << (16 * part);
      }
      return;
    }
#endif
    const std::ptrdiff_t count = mEnd - chunk < kChunk ? mEnd - chunk : kChunk;
    for (std::ptrdiff_t i = 0; i < count; ++i) {
      if (Scan::IsSpace(chunk[i])) mSpaces |= std::uint64_t{1} << i;
    }
  }

  char* mAt;
  char* mEnd;
  char* mChunk = nullptr;
  std::uint64_t mSpaces = 0;
};

namespace Scan {

// The common case of a word read: the blanks before the word, the word and
// the character after it all lie in the get area. False when they do not.
inline bool ReadWordInPlace(std::streambuf& buffer, std::string_view& word) {
  char* const next = GetArea::Next(buffer);
  WordCursor words(next, GetArea::End(buffer));
  if (!words.Next(word)) return false;
  GetArea::Advance(buffer, words.At() - next);
  return true;
}

}  // namespace Scan

}  // namespace META
