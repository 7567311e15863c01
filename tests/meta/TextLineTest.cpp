#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "meta/MetaData.h"
#include "meta/TextReaders.h"
#include "meta/TextWords.h"
#include "meta/TextWriters.h"
#include "meta/Variant.h"
#include "vectormath/vectormath_aos.h"

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

TEST(FloatText, SixSignificantDigitsAsADefaultStreamWritesThem) {
  const std::vector<std::pair<float, std::string>> cases{
      {0.5f, "0.5"},      {2.0f, "2"},          {1e6f, "1e+06"},        {2147483648.0f, "2.14748e+09"},
      {0.1f, "0.1"},      {-3.25f, "-3.25"},    {123456789.0f, "1.23457e+08"}, {1e-5f, "1e-05"},
      {123.456f, "123.456"}};
  for (auto [number, text] : cases) {
    EXPECT_EQ(Write(META::WriteFloat, number), text + "\n");
    float back = -1.0f;
    EXPECT_EQ(Read(META::ReadFloat, " " + text + "\nnext", back), "next");
    EXPECT_EQ(back, std::stof(text)) << text;
  }
}

TEST(FloatText, NaNAndInfinityAreReplacedInTheMemberBeforeWriting) {
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
  EXPECT_EQ(Write(META::WriteUnsigned, largest), "4294967295\n");
  EXPECT_EQ(Write(META::WriteUnsignedLong, largest), "4294967295\n");

  std::int32_t number = 0;
  EXPECT_EQ(Read(META::ReadInt, " -42\nnext", number), "next");
  EXPECT_EQ(number, -42);
  std::uint32_t count = 0;
  EXPECT_EQ(Read(META::ReadUnsignedLong, " 4294967295 \n", count), "");
  EXPECT_EQ(count, largest);

  bool flag = false;
  EXPECT_EQ(Read(META::ReadBool, " 1\n", flag), "");
  EXPECT_TRUE(flag);
  EXPECT_EQ(Read(META::ReadBool, " 00\n", flag), "");
  EXPECT_FALSE(flag);
  EXPECT_EQ(Read(META::ReadBool, " 1\n", flag), "");
  EXPECT_EQ(Write(META::WriteBool, flag), "1\n");
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
  for (const char* word : {"abc", "12abc", "1,5", "0x10"}) expectRejected(META::ReadFloat, word);
  for (const char* word : {"1.5", "2147483648", "seven"}) expectRejected(META::ReadInt, word);
  for (const char* word : {"-1", "4294967296", "1e3"}) expectRejected(META::ReadUnsigned, word);
  for (const char* word : {"2", "true", "-1"}) expectRejected(META::ReadBool, word);
  // And nothing left to read at all.
  expectRejected(META::ReadFloat, "");
  expectRejected(META::ReadMat4, "");
}

TEST(StringText, TheRestOfTheLineAfterOneSkippedCharacter) {
  const std::vector<std::pair<std::string, std::string>> cases{
      {" my model\nnext", "my model"},  {"  two blanks \nnext", " two blanks "}, {" \nnext", ""},
      {"\nnext", ""},                   {" Crate\r\nnext", "Crate"},            {" a } { b\nnext", "a } { b"}};
  for (const auto& [text, expected] : cases) {
    std::string value = "old";
    EXPECT_EQ(Read(META::ReadString, text, value), "next") << text;
    EXPECT_EQ(value, expected);
  }
  std::string last;
  bool failed = true;
  Read(META::ReadString, " last line without end", last, &failed);
  EXPECT_FALSE(failed);
  EXPECT_EQ(last, "last line without end");

  std::string text = "my model";
  EXPECT_EQ(Write(META::WriteString, text), "my model\n");
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
  EXPECT_EQ(Read(META::ReadStringList, " a,\nnext", read), "next");
  EXPECT_EQ(read, (std::vector<std::string>{"a"}));
}

TEST(Mat4Text, WrittenAsNullAndReadWithoutChange) {
  auto matrix = Vectormath::Aos::Matrix4::identity();
  EXPECT_EQ(Write(META::WriteMat4, matrix), "<NULL>\n");
  auto read = Vectormath::Aos::Matrix4::translation(Vectormath::Aos::Vector3(1.0f, 2.0f, 3.0f));
  const auto before = read;
  EXPECT_EQ(Read(META::ReadMat4, " <NULL>\nnext", read), "next");
  EXPECT_EQ(std::memcmp(&read, &before, sizeof read), 0);
}

}  // namespace
