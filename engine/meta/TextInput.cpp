#include "meta/TextInput.h"

#include <cstring>

namespace META {

TextInput::TextInput(std::istream& source, std::string fileName, TextReadReport* report)
    : std::istream(nullptr), mCounter(source.rdbuf()), mFileName(std::move(fileName)), mReport(report) {
  rdbuf(&mCounter);
  // A source that failed to open reads as a failed stream, not an empty one.
  if (source.fail() || source.rdbuf() == nullptr) setstate(std::ios_base::failbit);
}

TextReadReport* TextInput::Report() const { return mReport != nullptr ? mReport : TextReadReport::Installed(); }

TextInput::LineCounter::LineCounter(std::streambuf* source) : mSource(source) {
  using Pos = std::streambuf::pos_type;
  using Off = std::streambuf::off_type;
  const bool seekable =
      mSource != nullptr && mSource->pubseekoff(0, std::ios_base::cur, std::ios_base::in) != Pos(Off(-1));
  if (seekable) {
    mChunk = std::make_unique<char[]>(kChunk);
    setg(mChunk.get(), mChunk.get(), mChunk.get());
    mCounted = mChunk.get();
  }
}

TextInput::LineCounter::~LineCounter() {
  // Hand back what was read ahead, so the source stands where reading ended.
  if (mChunk != nullptr && gptr() < egptr())
    mSource->pubseekoff(gptr() - egptr(), std::ios_base::cur, std::ios_base::in);
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
  if (mChunk != nullptr) CountTo(gptr());
  return mLineEnds + 1;
}

TextInput::LineCounter::int_type TextInput::LineCounter::underflow() {
  if (mSource == nullptr) return traits_type::eof();
  if (mChunk == nullptr) return mSource->sgetc();
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  CountTo(egptr());
  const std::streamsize got = mSource->sgetn(mChunk.get(), static_cast<std::streamsize>(kChunk));
  const std::size_t size = got > 0 ? static_cast<std::size_t>(got) : 0;
  setg(mChunk.get(), mChunk.get(), mChunk.get() + size);
  mCounted = mChunk.get();
  return size > 0 ? traits_type::to_int_type(*gptr()) : traits_type::eof();
}

TextInput::LineCounter::int_type TextInput::LineCounter::uflow() {
  if (mSource == nullptr) return traits_type::eof();
  if (mChunk != nullptr) {
    const int_type c = underflow();
    if (!traits_type::eq_int_type(c, traits_type::eof())) gbump(1);
    return c;
  }
  const int_type c = mSource->sbumpc();
  if (traits_type::eq_int_type(c, traits_type::to_int_type('\n'))) ++mLineEnds;
  return c;
}

TextInput::LineCounter::int_type TextInput::LineCounter::pbackfail(int_type c) {
  // Chunked reading puts back within the chunk without coming here; at a
  // chunk's start there is nothing left to put back.
  if (mSource == nullptr || mChunk != nullptr) return traits_type::eof();
  const int_type back = traits_type::eq_int_type(c, traits_type::eof())
                            ? mSource->sungetc()
                            : mSource->sputbackc(traits_type::to_char_type(c));
  if (traits_type::eq_int_type(back, traits_type::to_int_type('\n')) && mLineEnds > 0) --mLineEnds;
  return back;
}

std::streamsize TextInput::LineCounter::showmanyc() { return mSource != nullptr ? mSource->in_avail() : -1; }

}  // namespace META
