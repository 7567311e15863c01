#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "meta/MetaData.h"
#include "meta/TextReaders.h"
#include "meta/TextWords.h"
#include "meta/TextWriters.h"
#include "meta/Variant.h"

// The line-form values on their own: what a writer puts after "name : " and
// what a reader takes from right after the ":" word.
namespace {

template <class T>
std::string Write(META::SerializeFunction write, T& value) {
  std::ostringstream out;
  write(out, Variant(nullptr, &value), 1);
  return out.str();
}

// Reads a value from `text`; returns the word that follows it ("" at the end).
template <class T>
std::string Read(META::DeserializeFunction read, const std::string& text, T& value, bool* failed = nullptr) {
  std::istringstream in(text);
  read(in, Variant(nullptr, &value), false);
  if (failed != nullptr) *failed = in.fail();
  std::string next;
  if (in && !META::ReadWord(in, next)) next.clear();
  return next;
}

TEST(FloatText, SixSignificantDigitsAsADefaultStreamWritesThemAndNaNOrInfinityAreReplaced) {
  for (auto [number, text] : std::vector<std::pair<float, std::string>>{
           {0.5f, "0.5"}, {2.0f, "2"}, {1e6f, "1e+06"}, {123456789.0f, "1.23457e+08"}, {1e-5f, "1e-05"}}) {
    EXPECT_EQ(Write(META::WriteFloat, number), text + "\n");
    float back = -1.0f;
    EXPECT_EQ(Read(META::ReadFloat, " " + text + "\nnext", back), "next");
    EXPECT_EQ(back, std::stof(text)) << text;
  }

  // The member itself is replaced before writing, so it matches the file.
  float nan = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ(Write(META::WriteFloat, nan), "0\n");
  EXPECT_EQ(nan, 0.0f);
  for (float infinity : {std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity()}) {
    EXPECT_EQ(Write(META::WriteFloat, infinity), "2.14748e+09\n");
    EXPECT_EQ(infinity, 2147483648.0f);
  }
}

TEST(ScalarText, IntegersAndBoolsRoundTrip) {
  std::int32_t negative = std::numeric_limits<std::int32_t>::min();
  EXPECT_EQ(Write(META::WriteInt, negative), "-2147483648\n");
  std::uint32_t largest = std::numeric_limits<std::uint32_t>::max();
  EXPECT_EQ(Write(META::WriteUnsignedLong, largest), "4294967295\n");
  std::uint32_t count = 0;
  EXPECT_EQ(Read(META::ReadUnsignedLong, " 4294967295 \n", count), "");
  EXPECT_EQ(count, largest);

  bool flag = false;
  EXPECT_EQ(Read(META::ReadBool, " 1\nnext", flag), "next");
  EXPECT_TRUE(flag);
  EXPECT_EQ(Read(META::ReadBool, " 00\n", flag), "");
  EXPECT_FALSE(flag);
  // A byte other than 0 or 1 is written as true, never loaded as a bool.
  unsigned char oddByte = 2;
  EXPECT_EQ(Write(META::WriteBool, oddByte), "1\n");
}

TEST(ScalarText, AValueThatDoesNotParseFailsTheStreamAndKeepsTheMember) {
  const auto expectRejected = [](META::DeserializeFunction read, const std::string& word) {
    std::uint32_t storage = 77;
    bool failed = false;
    Read(read, " " + word + "\n", storage, &failed);
    EXPECT_TRUE(failed) << word;
    EXPECT_EQ(storage, 77u) << word;
  };
  for (const char* word : {"12abc", "1,5", ""}) expectRejected(META::ReadFloat, word);
  for (const char* word : {"1.5", "2147483648"}) expectRejected(META::ReadInt, word);
  for (const char* word : {"-1", "4294967296"}) expectRejected(META::ReadUnsigned, word);
  for (const char* word : {"2", "true"}) expectRejected(META::ReadBool, word);
  expectRejected(META::ReadMat4, "");
}

TEST(StringText, TheRestOfTheLineAfterOneSkippedCharacter) {
  for (const auto& [text, expected] : std::vector<std::pair<std::string, std::string>>{
           {"  two blanks \nnext", " two blanks "}, {"\nnext", ""}, {" Crate\r\nnext", "Crate"}}) {
    std::string value = "old";
    EXPECT_EQ(Read(META::ReadString, text, value), "next") << text;
    EXPECT_EQ(value, expected);
  }
  std::string last;
  bool failed = true;
  Read(META::ReadString, " last line without end", last, &failed);
  EXPECT_FALSE(failed);
  EXPECT_EQ(last, "last line without end");
}

TEST(StringListText, ItemsUpToTheFirstWithoutACommaAndNeverPastTheLine) {
  std::vector<std::string> textures{"a", "b", "c"};
  const std::string written = Write(META::WriteStringList, textures);
  EXPECT_EQ(written, "a, b, c \n");
  std::vector<std::string> read{"defaulttexture"};
  EXPECT_EQ(Read(META::ReadStringList, " " + written + "next", read), "next");
  EXPECT_EQ(read, textures);

  // Empty: the writer leaves a lone blank; the next line is not taken as an item.
  std::vector<std::string> none;
  EXPECT_EQ(Write(META::WriteStringList, none), " \n");
  read = {"defaulttexture"};
  EXPECT_EQ(Read(META::ReadStringList, "  \nm_next : 1", read), "m_next");
  EXPECT_TRUE(read.empty());

  EXPECT_EQ(Read(META::ReadStringList, " a, b c d\nnext", read), "next");
  EXPECT_EQ(read, (std::vector<std::string>{"a", "b"}));
}

}  // namespace
