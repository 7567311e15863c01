#pragma once
#include <cstddef>
#include <cstdint>
#include <istream>
#include <streambuf>
#include <string>

#include "meta/TextReadReport.h"
#include "platform/Export.h"

namespace META {

// An input stream over another stream's characters that knows which line it
// is on and which file it reads, so the readers can say where they skipped
// something. The source's own buffer is read in place (a string stream's
// whole text, a file's current block), so words can be views into it; the
// source is moved on by what was consumed when that buffer runs out and when
// the TextInput goes. A source without a buffer is read one character at a
// time. Either way nothing past what was consumed is taken from the source.
class TW_API TextInput : public std::istream {
 public:
  // `report` receives what the readers skip; without one, the report
  // installed on the reading thread (if any) does.
  TextInput(std::istream& source, std::string fileName, TextReadReport* report = nullptr);
  ~TextInput() override = default;
  TextInput(const TextInput&) = delete;
  TextInput& operator=(const TextInput&) = delete;

  // 1 on the first line; counts the line ends consumed so far.
  [[nodiscard]] std::uint32_t Line() const { return mCounter.Line(); }
  [[nodiscard]] const std::string& FileName() const { return mFileName; }
  [[nodiscard]] TextReadReport* Report() const;

 private:
  class LineCounter final : public std::streambuf {
   public:
    explicit LineCounter(std::streambuf* source);
    ~LineCounter() override;
    LineCounter(const LineCounter&) = delete;
    LineCounter& operator=(const LineCounter&) = delete;
    [[nodiscard]] std::uint32_t Line() const;

   protected:
    int_type underflow() override;
    int_type uflow() override;
    int_type pbackfail(int_type c) override;
    std::streamsize showmanyc() override;

   private:
    // Brings the count up to the read position in the borrowed area; lazy,
    // so reading costs nothing per character.
    void CountTo(const char* position) const;
    // Takes the source's get area as this one's; false when it has none.
    bool Borrow();
    // Moves the source on by what was consumed of its area, and lets go of it.
    void GiveBack();

    std::streambuf* mSource;
    char* mBorrowed = nullptr;  // the source's read position when its area was taken
    mutable std::uint32_t mLineEnds = 0;
    mutable const char* mCounted = nullptr;
  };

  LineCounter mCounter;
  std::string mFileName;
  TextReadReport* mReport;
};

}  // namespace META
