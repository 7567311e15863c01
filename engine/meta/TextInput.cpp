#include "meta/TextInput.h"

#include <cstring>

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

TextInput::LineCounter::~LineCounter() { GiveBack(); }

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

// Line ends in [begin, end), eight bytes at a time: every character of a
// level passes through here once.
std::uint32_t CountLineEnds(const char* begin, const char* end) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
  constexpr std::uint64_t kHighs = 0x8080808080808080ULL;
  constexpr std::uint64_t kLows = 0x7F7F7F7F7F7F7F7FULL;
  std::uint64_t count = 0;
  for (; end - begin >= 8; begin += 8) {
    std::uint64_t chunk = 0;
    std::memcpy(&chunk, begin, sizeof chunk);
    // A byte becomes 0 where it was '\n'; then exactly those bytes get their
    // high bit, and the multiplication adds the eight bits up in the top byte.
    const std::uint64_t x = chunk ^ (kOnes * '\n');
    const std::uint64_t zero = ~(((x & kLows) + kLows) | x | kLows) & kHighs;
    count += ((zero >> 7) * kOnes) >> 56;
  }
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
