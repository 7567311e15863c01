#pragma once
#include <cstdint>
#include <istream>
#include <streambuf>
#include <string>

#include "meta/TextReadReport.h"
#include "platform/Export.h"

namespace META {

// An input stream over another stream's characters that knows which line it
// is on and which file it reads, so the readers can say where they skipped
// something. Reads are unbuffered: the source is never read past what was
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
    explicit LineCounter(std::streambuf* source) : mSource(source) {}
    [[nodiscard]] std::uint32_t Line() const { return mLineEnds + 1; }

   protected:
    int_type underflow() override;
    int_type uflow() override;
    int_type pbackfail(int_type c) override;
    std::streamsize showmanyc() override;

   private:
    std::streambuf* mSource;
    std::uint32_t mLineEnds = 0;
  };

  LineCounter mCounter;
  std::string mFileName;
  TextReadReport* mReport;
};

}  // namespace META
