#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The block structure of a level or archetype file as it is written: where
// each block opens, on which line each member stands, and which braces do
// not match. The engine's readers say what they skipped; this lets `check`
// point at the line of a problem it finds on the loaded objects, name a block
// whose "}" is missing, and count what a reader that stopped never reached.
class TextOutline {
 public:
  struct Block {
    std::string head;    // the word before "{": archetype, component or type name
    std::string member;  // for a value block, the member it fills ("WorldPosition")
    std::uint32_t line = 0;
    std::string name;  // an object block's mName
    std::vector<Block> children;
    // Member lines of this block: name and line.
    std::vector<std::pair<std::string, std::uint32_t>> members;

    [[nodiscard]] const Block* Child(std::string_view head) const;
    // The line of a member written here; `path` may go through value blocks
    // ("transformData.WorldPosition.x_"). 0 when it is not written.
    [[nodiscard]] std::uint32_t LineOf(std::string_view path) const;
  };

  struct Fault {
    std::uint32_t line = 0;
    std::string message;
  };

  // Whether a member's value is text running to the line end (so that braces
  // in it are no blocks): given the enclosing block's head and the member.
  using TextMember = std::function<bool(std::string_view block, std::string_view member)>;

  // `path` is a native path. A file that cannot be read gives an outline
  // that is not Opened().
  static TextOutline Read(const std::string& path, const TextMember& textMember);
  static TextOutline Parse(std::string_view text, const TextMember& textMember);

  [[nodiscard]] bool Opened() const { return mOpened; }
  [[nodiscard]] bool Empty() const { return mBlocks.empty() && mWords == 0; }
  [[nodiscard]] bool StartsWithByteOrderMark() const { return mByteOrderMark; }
  [[nodiscard]] const std::vector<Block>& Blocks() const { return mBlocks; }
  // Unclosed blocks and stray braces, in line order.
  [[nodiscard]] const std::vector<Fault>& Faults() const { return mFaults; }
  // Top-level blocks that start after `line`.
  [[nodiscard]] std::size_t BlocksAfter(std::uint32_t line) const;

 private:
  bool mOpened = false;
  bool mByteOrderMark = false;
  std::size_t mWords = 0;
  std::vector<Block> mBlocks;
  std::vector<Fault> mFaults;
};
