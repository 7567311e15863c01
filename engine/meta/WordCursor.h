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

// Walking the words of a buffer from bit masks of where its words start and
// end, 64 characters at a time. A byte-by-byte search ends each short run
// of blanks or word characters on a branch the processor cannot foresee;
// here a word is the next two set bits of a mask. Not part of the library's
// interface.
namespace META {

class WordCursor {
 public:
  // The character before `at` counts as a blank: a word may start at `at`.
  WordCursor(char* at, char* end) : mAt(at), mEnd(end) { Load(at, true); }

  // Where the next search starts: the character after the last word read.
  [[nodiscard]] char* At() const { return mAt; }

  // The next word, when it and the character after it lie before the end;
  // the cursor then moves onto that character. False otherwise, and then
  // only At() is still meaningful: it stays where it was.
  [[gnu::always_inline]] bool Next(std::string_view& word) {
    if (mBounds == 0 && !More()) return false;
    char* const start = mChunk + std::countr_zero(mBounds);
    mBounds &= mBounds - 1;
    if (mBounds == 0 && !More()) return false;
    char* const stop = mChunk + std::countr_zero(mBounds);
    mBounds &= mBounds - 1;
    word = std::string_view(start, static_cast<std::size_t>(stop - start));
    mAt = stop;
    return true;
  }

 private:
  static constexpr std::ptrdiff_t kChunk = 64;

  // Masks the chunks after the current one until one holds a bound; false
  // at the end of the buffer.
  [[gnu::noinline]] bool More() {
    while (mEnd - mChunk > kChunk) {
      Load(mChunk + kChunk, (mSpaces >> (kChunk - 1)) != 0);
      if (mBounds != 0) return true;
    }
    return false;
  }

  // Masks the chunk at `chunk`: bit i of mSpaces is set when chunk[i] is a
  // blank or a line end, bit i of mBounds when a word starts or ends there
  // (a word ends on the blank after it). Characters at or past the end
  // count as word characters, and no bound lies there, so a word reaching
  // the end is never taken as whole.
  [[gnu::always_inline]] void Load(char* chunk, bool blankBefore) {
    mChunk = chunk;
    const std::ptrdiff_t count = mEnd - chunk < kChunk ? mEnd - chunk : kChunk;
    mSpaces = count == kChunk ? Blanks(chunk) : BlanksBefore(chunk, count);
    mBounds = mSpaces ^ ((mSpaces << 1) | (blankBefore ? 1U : 0U));
    if (count < kChunk) mBounds &= (std::uint64_t{1} << count) - 1;
  }

  static std::uint64_t Blanks(const char* chunk) {
#if defined(__SSE2__)
    std::uint64_t spaces = 0;
    for (int part = 0; part < 4; ++part) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chunk + 16 * part));
      const __m128i blank = _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(' ')),
                                         _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\t')));
      const __m128i lineEnd = _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n')),
                                           _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r')));
      const auto bits = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_or_si128(blank, lineEnd)));
      spaces |= static_cast<std::uint64_t>(bits) << (16 * part);
    }
    return spaces;
#else
    return BlanksBefore(chunk, kChunk);
#endif
  }

  static std::uint64_t BlanksBefore(const char* chunk, std::ptrdiff_t count) {
    std::uint64_t spaces = 0;
    for (std::ptrdiff_t i = 0; i < count; ++i) {
      if (Scan::IsSpace(chunk[i])) spaces |= std::uint64_t{1} << i;
    }
    return spaces;
  }

  char* mAt;
  char* mEnd;
  char* mChunk = nullptr;
  std::uint64_t mSpaces = 0;
  std::uint64_t mBounds = 0;  // the bounds not yet passed
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
