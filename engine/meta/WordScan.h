#pragma once

// What separates words, for the readers. Not part of the library's
// interface.
namespace META::Scan {

constexpr auto IsSpace = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
constexpr auto IsWordChar = [](char c) { return !IsSpace(c); };

}  // namespace META::Scan
