#pragma once
#include <iosfwd>
#include <string>
#include <string_view>

#include "platform/Export.h"

// The word-level reading every text reader shares. A word is what lies
// between blanks, tabs and line ends ("\n", or "\r\n" from files written
// elsewhere). None of these reads past the end of the stream or loops on it.
namespace META {

// Skips blanks, tabs and line ends, then takes the word. False (and the
// stream failed) when the stream ends before a word starts.
[[nodiscard]] TW_API bool ReadWord(std::istream& stream, std::string& word);

// The same without a copy: `word` views the stream's buffer, or `spill`
// when the word does not lie whole in it. Valid until the next read.
[[nodiscard]] TW_API bool ReadWord(std::istream& stream, std::string_view& word, std::string& spill);

// Reads a word and keeps nothing of it.
[[nodiscard]] TW_API bool SkipWord(std::istream& stream);

// Like ReadWord but stays on the current line: false, with nothing consumed
// but blanks and tabs, at the line end or at the end of the stream (which
// then does not fail the stream: it ends the last line).
[[nodiscard]] TW_API bool ReadWordInLine(std::istream& stream, std::string& word);
[[nodiscard]] TW_API bool ReadWordInLine(std::istream& stream, std::string_view& word, std::string& spill);

// The rest of the current line without its line end, which is consumed;
// "" without failing at the end of the stream.
[[nodiscard]] TW_API std::string ReadRestOfLine(std::istream& stream);
// The same as a view, valid until the next read (see ReadWord).
[[nodiscard]] TW_API std::string_view ReadRestOfLine(std::istream& stream, std::string& spill);

// Discards the rest of the current line, its line end included.
TW_API void SkipLine(std::istream& stream);

// Entered after a "{": discards words up to the matching "}", counting
// nested braces. False when the stream ends first.
[[nodiscard]] TW_API bool SkipBlock(std::istream& stream);

// Notes in the reader's report (see TextInput) what was skipped, and where.
TW_API void ReportSkip(std::istream& stream, std::string reason);

// Reports why reading stops here and fails the stream, so that every reader
// above this one stops too.
TW_API void FailRead(std::istream& stream, std::string reason);

}  // namespace META
