#include "meta/TextWords.h"

#include <cstddef>
#include <istream>
#include <streambuf>

#include "meta/TextInput.h"
#include "meta/TextReadReport.h"

namespace META {

namespace {

using Traits = std::istream::traits_type;

constexpr bool IsLineEnd(Traits::int_type c) { return c == '\n' || c == '\r'; }
constexpr bool IsBlank(Traits::int_type c) { return c == ' ' || c == '\t'; }
constexpr bool IsEnd(Traits::int_type c) { return Traits::eq_int_type(c, Traits::eof()); }

// The end of the stream also ends the line: reads bounded by the line stop
// there quietly instead of failing the stream, as a sentry would.
bool AtEndOfLastLine(const std::istream& stream) { return stream.rdstate() == std::ios_base::eofbit; }

// A stream buffer's get area, read in place: a level is millions of
// characters, and taking them a run at a time rather than one call each is
// what keeps loading fast.
struct GetArea : std::streambuf {
  static char* Next(std::streambuf& buffer) { return (buffer.*&GetArea::gptr)(); }
  static char* End(std::streambuf& buffer) { return (buffer.*&GetArea::egptr)(); }
  static void Advance(std::streambuf& buffer, int count) { (buffer.*&GetArea::gbump)(count); }
};

// Consumes the characters for which `take` holds, appending them to `out`
// when given; returns the first other character (not consumed) or eof.
template <class Take>
Traits::int_type Span(std::streambuf& buffer, Take take, std::string* out) {
  // gbump takes an int.
  constexpr std::ptrdiff_t kMaxRun = 1 << 30;
  for (;;) {
    char* const next = GetArea::Next(buffer);
    char* const end = GetArea::End(buffer) - next > kMaxRun ? next + kMaxRun : GetArea::End(buffer);
    char* stop = next;
    while (stop < end && take(*stop)) ++stop;
    if (stop != next) {
      if (out != nullptr) out->append(next, stop);
      GetArea::Advance(buffer, static_cast<int>(stop - next));
    }
    if (stop < end) return Traits::to_int_type(*stop);
    // The area is used up: the buffer refills it, or has none.
    const Traits::int_type c = buffer.sgetc();
    if (IsEnd(c) || !take(Traits::to_char_type(c))) return c;
    if (GetArea::Next(buffer) == GetArea::End(buffer)) {
      if (out != nullptr) out->push_back(Traits::to_char_type(c));
      buffer.sbumpc();
    }
  }
}

// Function objects rather than functions, so that Span inlines them.
constexpr auto IsWordChar = [](char c) { return !IsBlank(c) && !IsLineEnd(c); };
constexpr auto IsSpace = [](char c) { return IsBlank(c) || IsLineEnd(c); };
constexpr auto IsBlankChar = [](char c) { return IsBlank(c); };

// Takes characters up to a blank, tab, line end or the end of the stream.
void TakeWord(std::istream& stream, std::streambuf& buffer, std::string& word) {
  if (IsEnd(Span(buffer, IsWordChar, &word))) stream.setstate(std::ios_base::eofbit);
}

// What a sentry checks before a read that skips its own blanks, without the
// cost of one per word.
bool StreamReady(std::istream& stream) {
  if (stream.good()) {
    if (stream.tie() != nullptr) stream.tie()->flush();
    if (stream.good() && stream.rdbuf() != nullptr) return true;
  }
  stream.setstate(std::ios_base::failbit);
  return false;
}

// The common case of ReadWord: the blanks before the word, the word and the
// character after it all lie in the get area. False when they do not.
bool ReadWordInPlace(std::streambuf& buffer, std::string& word) {
  char* const next = GetArea::Next(buffer);
  char* const end = GetArea::End(buffer);
  char* start = next;
  while (start < end && IsSpace(*start)) ++start;
  char* stop = start;
  while (stop < end && IsWordChar(*stop)) ++stop;
  if (stop == end || stop == start || stop - next > (1 << 30)) return false;
  word.assign(start, stop);
  GetArea::Advance(buffer, static_cast<int>(stop - next));
  return true;
}

}  // namespace

bool ReadWord(std::istream& stream, std::string& word) {
  word.clear();
  if (!StreamReady(stream)) return false;
  std::streambuf& buffer = *stream.rdbuf();
  if (ReadWordInPlace(buffer, word)) return true;
  const Traits::int_type c = Span(buffer, IsSpace, nullptr);
  if (IsEnd(c)) {
    stream.setstate(std::ios_base::eofbit | std::ios_base::failbit);
    return false;
  }
  TakeWord(stream, buffer, word);
  return true;
}

bool ReadWordInLine(std::istream& stream, std::string& word) {
  word.clear();
  if (AtEndOfLastLine(stream)) return false;
  const std::istream::sentry guard(stream, true);
  if (!guard) return false;
  std::streambuf& buffer = *stream.rdbuf();
  const Traits::int_type c = Span(buffer, IsBlankChar, nullptr);
  if (IsEnd(c)) {
    stream.setstate(std::ios_base::eofbit);
    return false;
  }
  if (IsLineEnd(c)) return false;
  TakeWord(stream, buffer, word);
  return true;
}

std::string ReadRestOfLine(std::istream& stream) {
  std::string line;
  if (AtEndOfLastLine(stream)) return line;
  const std::istream::sentry guard(stream, true);
  if (!guard) return line;
  std::streambuf& buffer = *stream.rdbuf();
  const Traits::int_type c = Span(
      buffer, [](char k) { return k != '\n'; }, &line);
  if (IsEnd(c)) {
    stream.setstate(std::ios_base::eofbit);
  } else {
    buffer.sbumpc();
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

void SkipLine(std::istream& stream) { static_cast<void>(ReadRestOfLine(stream)); }

bool SkipBlock(std::istream& stream) {
  std::string word;
  for (unsigned depth = 1; ReadWord(stream, word);) {
    if (word == "{") {
      ++depth;
    } else if (word == "}" && --depth == 0) {
      return true;
    }
  }
  return false;
}

void ReportSkip(std::istream& stream, std::string reason) {
  const auto* input = dynamic_cast<const TextInput*>(&stream);
  TextReadReport* report = input != nullptr ? input->Report() : TextReadReport::Installed();
  if (report == nullptr) return;
  if (input != nullptr) {
    report->Add({input->FileName(), input->Line(), std::move(reason)});
  } else {
    report->Add({{}, 0, std::move(reason)});
  }
}

void FailRead(std::istream& stream, std::string reason) {
  ReportSkip(stream, std::move(reason));
  stream.setstate(std::ios_base::failbit);
}

}  // namespace META
