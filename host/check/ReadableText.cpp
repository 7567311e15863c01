#include "check/ReadableText.h"

#include <cstdio>

namespace ReadableText {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Printable ASCII passes; a tab is shown as one, everything else as \xNN.
void AppendEscaped(std::string& out, std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.substr(i, kByteOrderMark.size()) == kByteOrderMark) {
      out += "<BOM>";
      i += kByteOrderMark.size() - 1;
      continue;
    }
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else if (c == '\t') {
      out += "\\t";
    } else {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02X", c);
      out += code;
    }
  }
}

}  // namespace

std::string Word(std::string_view word) {
  std::string out;
  if (word.size() <= kMaxShown) {
    AppendEscaped(out, word);
    return out;
  }
  AppendEscaped(out, word.substr(0, kMaxShown));
  out += "... (" + std::to_string(word.size()) + " bytes)";
  return out;
}

std::string Escaped(std::string_view text) {
  std::string out;
  AppendEscaped(out, text);
  return out;
}

std::string Message(std::string_view message) {
  std::string out;
  std::size_t at = 0;
  while (at < message.size()) {
    const std::size_t open = message.find('\'', at);
    if (open == std::string_view::npos) break;
    // The closing quote is the last one before the next ' followed by a
    // blank, a semicolon or the end: quoted words may hold quotes themselves.
    std::size_t close = std::string_view::npos;
    for (std::size_t k = open + 1; k < message.size(); ++k) {
      if (message[k] != '\'') continue;
      const char next = k + 1 < message.size() ? message[k + 1] : ' ';
      if (next == ' ' || next == ';' || next == ',' || next == ')' || next == ':') {
        close = k;
        break;
      }
    }
    if (close == std::string_view::npos) break;
    AppendEscaped(out, message.substr(at, open - at));
    out += '\'';
    out += Word(message.substr(open + 1, close - open - 1));
    out += '\'';
    at = close + 1;
  }
  if (at < message.size()) {
    const std::string_view rest = message.substr(at);
    // A stray quote leaves no word to cut: cut the whole rest instead.
    if (rest.size() > 4 * kMaxShown) {
      out += Word(rest);
    } else {
      AppendEscaped(out, rest);
    }
  }
  return out;
}

std::string Json(std::string_view text) {
  std::string out = "\"";
  for (const char raw : text) {
    const auto c = static_cast<unsigned char>(raw);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20 || c >= 0x7F) {
          char code[8];
          std::snprintf(code, sizeof code, "\\u%04X", c);
          out += code;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out + "\"";
}

}  // namespace ReadableText
