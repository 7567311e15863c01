#include "check/TextOutline.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#include "check/ReadableText.h"

namespace {

struct Word {
  std::string_view text;
  std::uint32_t line = 0;
  // Columns of blanks before the first word of the word's line (a tab counts
  // four), and whether this word is that first one.
  int lineIndent = 0;
  bool first = false;
};

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The words of the text with their lines.
class Words {
 public:
  explicit Words(std::string_view text) : mText(text) {}

  bool Next(Word& word) {
    while (mAt < mText.size() && IsSpace(mText[mAt])) {
      const char c = mText[mAt++];
      if (c == '\n') {
        ++mLine;
        mColumn = 0;
        mFirst = true;
      } else if (c == '\t') {
        mColumn += 4;
      } else if (c == ' ') {
        ++mColumn;
      }
    }
    if (mAt >= mText.size()) return false;
    if (mFirst) mLineIndent = mColumn;
    const std::size_t start = mAt;
    while (mAt < mText.size() && !IsSpace(mText[mAt])) ++mAt;
    word = {mText.substr(start, mAt - start), mLine, mLineIndent, mFirst};
    mFirst = false;
    return true;
  }

  // Consumes " : " when it follows on the same line, as before a value.
  bool Separator() {
    std::size_t at = mAt;
    while (at < mText.size() && (mText[at] == ' ' || mText[at] == '\t')) ++at;
    if (at >= mText.size() || mText[at] != ':') return false;
    if (at + 1 < mText.size() && !IsSpace(mText[at + 1])) return false;
    mAt = at + 1;
    return true;
  }

  // The rest of the current line after one separating character, as the
  // engine reads a text value.
  std::string_view RestOfLine() {
    if (mAt < mText.size() && mText[mAt] != '\n') ++mAt;
    const std::size_t start = mAt;
    while (mAt < mText.size() && mText[mAt] != '\n') ++mAt;
    std::string_view rest = mText.substr(start, mAt - start);
    if (!rest.empty() && rest.back() == '\r') rest.remove_suffix(1);
    return rest;
  }

 private:
  std::string_view mText;
  std::size_t mAt = 0;
  std::uint32_t mLine = 1;
  int mColumn = 0;
  int mLineIndent = 0;
  bool mFirst = true;
};

// Whether the writer indents at all: only then is a line at the wrong depth
// a sign of a missing brace.
bool IsIndented(std::string_view text) {
  for (std::size_t at = 0; at < text.size(); ++at) {
    if ((at == 0 || text[at - 1] == '\n') && (text[at] == '\t' || text[at] == ' ')) return true;
  }
  return false;
}

struct Open {
  TextOutline::Block block;
  int indent = 0;
};

// `owner`: the name of the object block around it, if any.
std::string Describe(const TextOutline::Block& block, const std::string& owner) {
  std::string text = "'" + ReadableText::Word(block.member.empty() ? block.head : block.member) + "' block";
  const std::string& name = block.name.empty() ? owner : block.name;
  if (!name.empty()) text += " of '" + ReadableText::Word(name) + "'";
  return text;
}

}  // namespace

const TextOutline::Block* TextOutline::Block::Child(std::string_view wanted) const {
  for (const Block& child : children) {
    if (child.head == wanted) return &child;
  }
  return nullptr;
}

std::uint32_t TextOutline::Block::LineOf(std::string_view path) const {
  const std::size_t dot = path.find('.');
  const std::string_view first = path.substr(0, dot);
  if (dot == std::string_view::npos) {
    for (const auto& [written, at] : members) {
      if (written == first) return at;
    }
    return 0;
  }
  for (const Block& child : children) {
    if (child.member == first) {
      const std::uint32_t inner = child.LineOf(path.substr(dot + 1));
      return inner != 0 ? inner : child.line;
    }
  }
  return 0;
}

TextOutline TextOutline::Read(const std::string& path, const TextMember& textMember) {
  std::ifstream file(path, std::ios::binary);
  if (!file.is_open()) return {};
  std::ostringstream contents;
  contents << file.rdbuf();
  if (file.bad()) return {};
  TextOutline outline = Parse(contents.view(), textMember);
  outline.mOpened = true;
  return outline;
}

TextOutline TextOutline::Parse(std::string_view text, const TextMember& textMember) {
  TextOutline outline;
  outline.mOpened = true;
  outline.mByteOrderMark = text.substr(0, 3) == "\xEF\xBB\xBF";
  const bool indented = IsIndented(text);
  std::vector<Open> open;
  Words words(text);
  Word previous;
  Word beforePrevious;
  Word word;

  const auto close = [&](const std::string& missing) {
    Open done = std::move(open.back());
    open.pop_back();
    if (!missing.empty()) {
      const std::string owner = open.empty() ? std::string() : open.front().block.name;
      outline.mFaults.push_back({done.block.line, "the " + Describe(done.block, owner) + missing});
    }
    if (open.empty()) {
      outline.mBlocks.push_back(std::move(done.block));
    } else {
      open.back().block.children.push_back(std::move(done.block));
    }
  };
  const auto before = [](std::uint32_t line) {
    return " that opens here is never closed (its '}' is missing before line " + std::to_string(line) + ")";
  };

  while (words.Next(word)) {
    ++outline.mWords;
    // A line that starts at or left of an open block's own depth ends that
    // block: the writer forgot its "}".
    if (indented && word.first) {
      while (!open.empty() && (word.text == "}" ? word.lineIndent < open.back().indent
                                                : word.lineIndent <= open.back().indent && word.text != "{")) {
        close(before(word.line));
      }
    }
    if (word.text == "{") {
      Open block;
      std::vector<std::pair<std::string, std::uint32_t>>* members = open.empty() ? nullptr : &open.back().block.members;
      // The head word was taken for a member line; it names the block.
      if (members != nullptr && !members->empty() && members->back().second == previous.line &&
          members->back().first == previous.text) {
        members->pop_back();
      }
      block.block.head = std::string(previous.text);
      block.block.line = previous.line != 0 ? previous.line : word.line;
      // "member : Type" then "{": a value block of that member.
      if (members != nullptr && beforePrevious.text == ":" && !members->empty() &&
          members->back().second == previous.line) {
        block.block.member = members->back().first;
        members->pop_back();
      }
      block.indent = word.first ? word.lineIndent : previous.lineIndent;
      open.push_back(std::move(block));
    } else if (word.text == "}") {
      if (open.empty()) {
        outline.mFaults.push_back({word.line, "a '}' that closes no block"});
      } else {
        close({});
      }
    } else if (word.first && !open.empty()) {
      // A member line: name, ":", value.
      Block& block = open.back().block;
      block.members.emplace_back(std::string(word.text), word.line);
      const bool textValue = open.size() == 1 ? word.text == "mName" : textMember && textMember(block.head, word.text);
      if (textValue && words.Separator()) {
        const std::string_view value = words.RestOfLine();
        if (open.size() == 1) block.name = std::string(value);
        beforePrevious = {};
        previous = {};
        continue;
      }
    }
    beforePrevious = previous;
    previous = word;
  }
  while (!open.empty()) close(" that opens here is never closed (the file ends first)");
  // An outer block's fault is found after its children's.
  std::stable_sort(outline.mFaults.begin(), outline.mFaults.end(),
                   [](const Fault& a, const Fault& b) { return a.line < b.line; });
  return outline;
}

std::size_t TextOutline::BlocksAfter(std::uint32_t line) const {
  std::size_t count = 0;
  for (const Block& block : mBlocks) count += block.line > line ? 1 : 0;
  return count;
}
