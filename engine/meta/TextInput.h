#pragma once
#include <cstddef>
#include <cstdint>
#include <istream>
#include <memory>
#include <streambuf>
#include <string>

#include "meta/TextReadReport.h"
#include "platform/Export.h"

namespace META {

// An input stream over another stream's characters that knows which line it
// is on and which file it reads, so the readers can say where they skipped
// something. A source that can seek (files, string streams) is read in
// chunks, and what was read ahead is handed back when the TextInput goes;
// any other source is read one character at a time, never past what was
// consumed.
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
    static constexpr std::size_t kChunk = 16 * 1024;

    // Brings the count up to the read position of the chunk; lazy, so
    // reading costs nothing per character.
    void CountTo(const char* position) const;

    std::streambuf* mSource;
    std::unique_ptr<char[]> mChunk;  // empty when the source cannot seek
    mutable std::uint32_t mLineEnds = 0;
    mutable const char* mCounted = nullptr;
  };

  LineCounter mCounter;
  std::string mFileName;
  TextReadReport* mReport;
};

}  // namespace META
