#include "meta/TextWords.h"

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

// Takes characters up to a blank, tab, line end or the end of the stream.
void TakeWord(std::istream& stream, std::streambuf& buffer, std::string& word) {
  Traits::int_type c = buffer.sgetc();
  while (!IsEnd(c) && !IsBlank(c) && !IsLineEnd(c)) {
    word.push_back(Traits::to_char_type(c));
    c = buffer.snextc();
  }
  if (IsEnd(c)) stream.setstate(std::ios_base::eofbit);
}

}  // namespace

bool ReadWord(std::istream& stream, std::string& word) {
  word.clear();
  const std::istream::sentry guard(stream, true);
  if (!guard) return false;
  std::streambuf& buffer = *stream.rdbuf();
  Traits::int_type c = buffer.sgetc();
  while (!IsEnd(c) && (IsBlank(c) || IsLineEnd(c))) c = buffer.snextc();
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
  Traits::int_type c = buffer.sgetc();
  while (!IsEnd(c) && IsBlank(c)) c = buffer.snextc();
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
  Traits::int_type c = buffer.sgetc();
  while (!IsEnd(c) && c != '\n') {
    line.push_back(Traits::to_char_type(c));
    c = buffer.snextc();
  }
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

