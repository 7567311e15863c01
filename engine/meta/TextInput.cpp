#include "meta/TextInput.h"

namespace META {

TextInput::TextInput(std::istream& source, std::string fileName, TextReadReport* report)
    : std::istream(nullptr), mCounter(source.rdbuf()), mFileName(std::move(fileName)), mReport(report) {
  rdbuf(&mCounter);
  // A source that failed to open reads as a failed stream, not an empty one.
  if (source.fail() || source.rdbuf() == nullptr) setstate(std::ios_base::failbit);
}

TextReadReport* TextInput::Report() const { return mReport != nullptr ? mReport : TextReadReport::Installed(); }

TextInput::LineCounter::int_type TextInput::LineCounter::underflow() {
  return mSource != nullptr ? mSource->sgetc() : traits_type::eof();
}

TextInput::LineCounter::int_type TextInput::LineCounter::uflow() {
  if (mSource == nullptr) return traits_type::eof();
  const int_type c = mSource->sbumpc();
  if (traits_type::eq_int_type(c, traits_type::to_int_type('\n'))) ++mLineEnds;
  return c;
}

TextInput::LineCounter::int_type TextInput::LineCounter::pbackfail(int_type c) {
  if (mSource == nullptr) return traits_type::eof();
  const int_type back = traits_type::eq_int_type(c, traits_type::eof())
                            ? mSource->sungetc()
                            : mSource->sputbackc(traits_type::to_char_type(c));
  if (traits_type::eq_int_type(back, traits_type::to_int_type('\n')) && mLineEnds > 0) --mLineEnds;
  return back;
}

std::streamsize TextInput::LineCounter::showmanyc() { return mSource != nullptr ? mSource->in_avail() : -1; }

}  // namespace META
