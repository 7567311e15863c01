#include "meta/TextInput.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "meta/GetArea.h"

namespace META {

TextInput::TextInput(std::istream& source, std::string fileName, TextReadReport* report)
    : std::istream(nullptr), mCounter(source.rdbuf()), mFileName(std::move(fileName)), mReport(report) {
  rdbuf(&mCounter);
  // A source that failed to open reads as a failed stream, not an empty one.
  if (source.fail() || source.rdbuf() == nullptr) setstate(std::ios_base::failbit);
}

TextReadReport* TextInput::Report() const { return mReport != nullptr ? mReport : TextReadReport::Installed(); }

TextInput::LineCounter::LineCounter(std::streambuf* source) : mSource(source) {}

TextInput::LineCounter::~LineCounter() {
  // No line is asked for any more: only the source is moved on.
  if (mBorrowed != nullptr) GetArea::Advance(*mSource, gptr() - mBorrowed);
}

bool TextInput::LineCounter::Borrow() {
  char* const next = GetArea::Next(*mSource);
  if (next == GetArea::End(*mSource)) return false;
  // From the source's area start, so that characters can be put back.
  setg(GetArea::Begin(*mSource), next, GetArea::End(*mSource));
  mBorrowed = next;
  mCounted = next;
  return true;
}

void TextInput::LineCounter::GiveBack() {
  if (mBorrowed == nullptr) return;
  CountTo(gptr());
  GetArea::Advance(*mSource, gptr() - mBorrowed);
  mBorrowed = nullptr;
  mCounted = nullptr;
  setg(nullptr, nullptr, nullptr);
}

namespace {

// Line ends in [begin, end): every character of a level passes through here.
std::uint32_t CountLineEnds(const char* begin, const char* end) {
  std::uint64_t count = 0;
#if defined(__SSE2__)
  // Sixteen byte counters at a time, summed before any can overflow.
  const __m128i lineEnd = _mm_set1_epi8('\n');
  while (end - begin >= 16) {
    __m128i counters = _mm_setzero_si128();
    for (int round = 0; round < 255 && end - begin >= 16; ++round, begin += 16) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(begin));
      counters = _mm_sub_epi8(counters, _mm_cmpeq_epi8(bytes, lineEnd));
    }
    const __m128i sums = _mm_sad_epu8(counters, _mm_setzero_si128());
    count += static_cast<std::uint64_t>(_mm_cvtsi128_si64(sums)) +
             static_cast<std::uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(sums, sums)));
  }
#endif
  for (; begin < end; ++begin) count += *begin == '\n' ? 1 : 0;
  return static_cast<std::uint32_t>(count);
}

}  // namespace

void TextInput::LineCounter::CountTo(const char* position) const {
  if (position >= mCounted) {
    mLineEnds += CountLineEnds(mCounted, position);
  } else {
    // A character was put back.
    mLineEnds -= CountLineEnds(position, mCounted);
  }
  mCounted = position;
}

std::uint32_t TextInput::LineCounter::Line() const {
  if (mBorrowed != nullptr) CountTo(gptr());
  return mLineEnds + 1;
}

TextInput::LineCounter::int_type TextInput::LineCounter::underflow() {
  if (mSource == nullptr) return traits_type::eof();
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  GiveBack();
  // The source refills its area, or has none and hands out one character.
  const int_type c = mSource->sgetc();
  if (traits_type::eq_int_type(c, traits_type::eof())) return c;
  return Borrow() ? traits_type::to_int_type(*gptr()) : c;
}

TextInput::LineCounter::int_type TextInput::LineCounter::uflow() {
  const int_type c = underflow();
  if (traits_type::eq_int_type(c, traits_type::eof())) return c;
  if (gptr() < egptr()) {
    gbump(1);
    return c;
  }
  const int_type taken = mSource->sbumpc();
  if (traits_type::eq_int_type(taken, traits_type::to_int_type('\n'))) ++mLineEnds;
  return taken;
}

TextInput::LineCounter::int_type TextInput::LineCounter::pbackfail(int_type c) {
  // Before the start of the source's area, or a different character: the
  // source decides.
  if (mSource == nullptr) return traits_type::eof();
  GiveBack();
  const int_type back = traits_type::eq_int_type(c, traits_type::eof())
                            ? mSource->sungetc()
                            : mSource->sputbackc(traits_type::to_char_type(c));
  if (traits_type::eq_int_type(back, traits_type::to_int_type('\n')) && mLineEnds > 0) --mLineEnds;
  return back;
}

std::streamsize TextInput::LineCounter::showmanyc() {
  if (mSource == nullptr) return -1;
  GiveBack();
  return mSource->in_avail();
}

}  // namespace META
