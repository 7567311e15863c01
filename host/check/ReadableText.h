#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Text from a level file made fit to print in a message: a file can hold
// anything (binary bytes, a byte-order mark, a word of 200 MB), and a
// message that echoes it verbatim is unreadable or worse.
namespace ReadableText {

// Longest stretch of a word shown before it is cut.
inline constexpr std::size_t kMaxShown = 40;

// Non-printable bytes and a byte-order mark escaped (\xNN, <BOM>), and a word
// longer than kMaxShown cut, with its length: "aaaaaaaa... (2000000 bytes)".
[[nodiscard]] std::string Word(std::string_view word);

// Escaped as Word, but never cut (paths of our own making).
[[nodiscard]] std::string Escaped(std::string_view text);

// Every 'quoted' word of a message passed through Word, and anything outside
// quotes escaped as well.
[[nodiscard]] std::string Message(std::string_view message);

// A string as a JSON string literal, quotes included.
[[nodiscard]] std::string Json(std::string_view text);

}  // namespace ReadableText
