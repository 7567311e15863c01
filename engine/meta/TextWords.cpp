#include "meta/TextWords.h"

#include <cstddef>
#include <cstring>
#include <istream>
#include <streambuf>
#include <string_view>

#include "meta/GetArea.h"
#include "meta/TextInput.h"
#include "meta/TextReadReport.h"
#include "meta/WordCursor.h"
#include "meta/WordScan.h"

namespace META {

namespace {

using Traits = std::istream::traits_type;

constexpr bool IsLineEnd(Traits::int_type c) { return c == '\n' || c == '\r'; }
constexpr bool IsBlank(Traits::int_type c) { return c == ' ' || c == '\t'; }
constexpr bool IsEnd(Traits::int_type c) { return Traits::eq_int_type(c, Traits::eof()); }

// The end of the stream also ends the line: reads bounded by the line stop
// there quietly instead of failing the stream, as a sentry would.
bool AtEndOfLastLine(const std::istream& stream) { return stream.rdstate() == std::ios_base::eofbit; }

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
constexpr auto IsBlankChar = [](char c) { return IsBlank(c); };

// Takes characters up to a blank, tab, line end or the end of the stream.
void TakeWord(std::istream& stream, std::streambuf& buffer, std::string& word) {
  if (IsEnd(Span(buffer, Scan::IsWordChar, &word))) stream.setstate(std::ios_base::eofbit);
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

// ReadWord once the stream is ready and the word does not lie whole in the
// get area.
bool ReadWordAcrossAreas(std::istream& stream, std::string_view& word, std::string& spill) {
  std::streambuf& buffer = *stream.rdbuf();
  const Traits::int_type c = Span(buffer, Scan::IsSpace, nullptr);
  if (IsEnd(c)) {
    stream.setstate(std::ios_base::eofbit | std::ios_base::failbit);
    return false;
  }
  spill.clear();
  TakeWord(stream, buffer, spill);
  word = spill;
  return true;
}

}  // namespace

bool ReadWord(std::istream& stream, std::string_view& word, std::string& spill) {
  word = {};
  if (!StreamReady(stream)) return false;
  return Scan::ReadWordInPlace(*stream.rdbuf(), word) || ReadWordAcrossAreas(stream, word, spill);
}

bool ReadWord(std::istream& stream, std::string& word) {
  std::string_view view;
  if (!StreamReady(stream)) {
    word.clear();
    return false;
  }
  if (Scan::ReadWordInPlace(*stream.rdbuf(), view)) {
    word.assign(view);
    return true;
  }
  const bool read = ReadWordAcrossAreas(stream, view, word);
  if (!read) word.clear();
  return read;
}

bool SkipWord(std::istream& stream) {
  std::string_view word;
  std::string spill;
  return ReadWord(stream, word, spill);
}

bool ReadWordInLine(std::istream& stream, std::string_view& word, std::string& spill) {
  word = {};
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
  if (Scan::ReadWordInPlace(buffer, word)) return true;
  spill.clear();
  TakeWord(stream, buffer, spill);
  word = spill;
  return true;
}

bool ReadWordInLine(std::istream& stream, std::string& word) {
  std::string_view view;
  const bool read = ReadWordInLine(stream, view, word);
  if (view.data() != word.data()) word.assign(view);
  return read;
}

std::string_view ReadRestOfLine(std::istream& stream, std::string& spill) {
  if (AtEndOfLastLine(stream)) return {};
  const std::istream::sentry guard(stream, true);
  if (!guard) return {};
  std::streambuf& buffer = *stream.rdbuf();
  std::string_view line;
  char* const next = GetArea::Next(buffer);
  char* const end = GetArea::End(buffer);
  char* const found =
      next != end ? static_cast<char*>(std::memchr(next, '\n', static_cast<std::size_t>(end - next))) : nullptr;
  if (found != nullptr) {
    line = std::string_view(next, static_cast<std::size_t>(found - next));
    GetArea::Advance(buffer, found + 1 - next);
  } else {
    spill.clear();
    const Traits::int_type c = Span(
        buffer, [](char k) { return k != '\n'; }, &spill);
    if (IsEnd(c)) {
      stream.setstate(std::ios_base::eofbit);
    } else {
      buffer.sbumpc();
    }
    line = spill;
  }
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

std::string ReadRestOfLine(std::istream& stream) {
  std::string spill;
  const std::string_view line = ReadRestOfLine(stream, spill);
  if (line.data() != spill.data()) return std::string(line);
  spill.resize(line.size());
  return spill;
}

void SkipLine(std::istream& stream) {
  std::string spill;
  static_cast<void>(ReadRestOfLine(stream, spill));
}

bool SkipBlock(std::istream& stream) {
  std::string_view word;
  std::string spill;
  for (unsigned depth = 1; ReadWord(stream, word, spill);) {
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
