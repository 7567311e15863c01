#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "MetaTestTypes.h"
#include "meta/TextInput.h"
#include "meta/TextReadReport.h"
#include "meta/TextReaders.h"
#include "meta/TextWords.h"
#include "meta/TextWriters.h"

// Blocks as a level or archetype file holds them, read the way the object
// reader does: the head word and "{" first, then the record's reader.
namespace {

using META::TextInput;
using META::TextReadReport;

class BlockText : public ::testing::Test {
 protected:
  void SetUp() override { RegisterTestRecords(); }

  template <class T>
  static std::string WriteBlock(T& value, unsigned depth = 0) {
    std::ostringstream out;
    META::WriteBlock(out, Variant(&T::meta_, &value), depth);
    return out.str();
  }

  // Reads one block of `text` into `value`; the stream is left after it.
  template <class T>
  static void ReadBlock(std::istream& in, T& value) {
    std::string head;
    if (!META::ReadWord(in, head) || !META::ReadWord(in, head)) return;
    META::ReadBlock(in, Variant(&T::meta_, &value), false);
  }

  Sample MakeSample() {
    Sample sample;
    sample.mFloat = 0.25f;
    sample.mInt = -12;
    sample.mBool = true;
    sample.mCount = 3;
    sample.mFlags = 4000000000u;
    sample.mId = 17;
    sample.mOwner = 42;
    sample.mShape = 2;
    sample.mName = "my model";
    sample.mTextures = {"stone", "moss", "rust"};
    sample.mColor = Vectormath::Aos::Vector4(1.0f, 2.0f, 3.0f, 4.0f);
    sample.mPosition = Vectormath::Aos::Vector3(1.5f, -2.0f, 1e6f);
    sample.mTint = Vectormath::Aos::Vector4(0.75f, 0.75f, 0.75f, 1.0f);
    return sample;
  }
};

void ExpectSameSerializedState(const Sample& read, const Sample& written) {
  EXPECT_EQ(read.mFloat, written.mFloat);
  EXPECT_EQ(read.mInt, written.mInt);
  EXPECT_EQ(read.mBool, written.mBool);
  EXPECT_EQ(read.mCount, written.mCount);
  EXPECT_EQ(read.mFlags, written.mFlags);
  EXPECT_EQ(read.mId, written.mId);
  EXPECT_EQ(read.mOwner, written.mOwner);
  EXPECT_EQ(read.mShape, written.mShape);
  EXPECT_EQ(read.mName, written.mName);
  EXPECT_EQ(read.mTextures, written.mTextures);
  EXPECT_EQ(Vectormath::Aos::Vector3(read.mPosition).getZ(), written.mPosition.z_);
  EXPECT_EQ(read.mPosition.x_, written.mPosition.x_);
  EXPECT_EQ(read.mTint.w_, written.mTint.w_);
  EXPECT_EQ(read.mTint.y_, written.mTint.y_);
}

TEST_F(BlockText, NestedBlocksAreWrittenAtTheirDepth) {
  Crate crate;
  crate.m_mass = 2.0f;
  EXPECT_EQ(WriteBlock(crate, 1),
            "\tTestCrate\n\t{\n"
            "\t\tm_mass : 2\n"
            "\t\tm_static : 0\n"
            "\t\tm_velocity : \t\tMetaVec3\n\t\t{\n\t\t\tx_ : 0\n\t\t\ty_ : 0\n\t\t\tz_ : 0\n\t\t}\n"
            "\t}\n");

  META::MetaData empty("TestEmpty", 1, nullptr, false, &META::WriteBlock, &META::ReadBlock);
  char storage = 0;
  std::ostringstream out;
  META::WriteBlock(out, Variant(&empty, &storage), 0);
  EXPECT_EQ(out.str(), "TestEmpty\n{\n}\n");
}

TEST_F(BlockText, EveryMemberTypeSurvivesARoundTrip) {
  Sample full = MakeSample();
  Sample sparse = MakeSample();
  sparse.mName.clear();
  sparse.mTextures.clear();  // followed by mTint, which must still be read
  for (Sample* written : {&full, &sparse}) {
    const std::string text = WriteBlock(*written);
    // Vec4 and Mat4 are written as placeholders and never read back.
    EXPECT_NE(text.find("\tmColor : \tVec4\n\t{\n\t}\n"), std::string::npos);
    EXPECT_NE(text.find("\tmMatrix : <NULL>\n"), std::string::npos);

    std::istringstream in(text + "next");
    Sample read;
    read.mColor = Vectormath::Aos::Vector4(9.0f, 9.0f, 9.0f, 9.0f);
    read.mTextures = {"defaulttexture"};
    ReadBlock(in, read);
    ASSERT_FALSE(in.fail()) << text;
    ExpectSameSerializedState(read, *written);
    EXPECT_EQ(read.mColor.getX(), 9.0f);
    std::string next;
    EXPECT_TRUE(META::ReadWord(in, next));
    EXPECT_EQ(next, "next");
  }
}

TEST_F(BlockText, MembersTheRecordLacksAreSkippedAndReported) {
  const std::string text =
      "TestCrate\n{\n"
      "\tm_unknown : 5 7 9\n"                           // line 3
      "\tm_mass : 3\n"
      "\tm_old : \t\tMetaVec3\n"                        // line 5
      "\t{\n\t\tx_ : 1\n"
      "\t\tinner : Something\n\t\t{\n\t\t\ta : 1\n\t\t}\n"
      "\t\ty_ : 2\n\t}\n"
      "\tm_static : 1\n"
      "\tm_velocity : \t\tMetaVec3\n\t{\n\t\tx_ : 4\n\t\tw_ : 9\n\t\ty_ : 5\n\t\tz_ : 6\n\t}\n"  // w_ on line 18
      "}\nnext";
  std::istringstream source(text);
  TextReadReport report;
  TextInput in(source, "crate.arc", &report);
  Crate crate;
  ReadBlock(in, crate);
  ASSERT_FALSE(in.fail());
  EXPECT_EQ(crate.m_mass, 3.0f);
  EXPECT_TRUE(crate.m_static);
  EXPECT_EQ(crate.m_velocity.x_, 4.0f);
  EXPECT_EQ(crate.m_velocity.z_, 6.0f);
  std::string next;
  EXPECT_TRUE(META::ReadWord(in, next));
  EXPECT_EQ(next, "next");

  ASSERT_EQ(report.Issues().size(), 3u);
  EXPECT_EQ(report.Issues()[0].file, "crate.arc");
  EXPECT_EQ(report.Issues()[0].line, 3u);
  EXPECT_NE(report.Issues()[0].reason.find("m_unknown"), std::string::npos);
  EXPECT_EQ(report.Issues()[1].line, 5u);
  EXPECT_NE(report.Issues()[1].reason.find("m_old"), std::string::npos);
  EXPECT_EQ(report.Issues()[2].line, 18u);
  EXPECT_NE(report.Issues()[2].reason.find("w_"), std::string::npos);
}

TEST_F(BlockText, AValueThatDoesNotParseStopsAtItsLine) {
  const std::vector<std::pair<std::string, std::string>> cases{
      {"TestCrate\n{\n\tm_mass : heavy\n\tm_static : 1\n}\n", "heavy"},
      {"TestCrate\n{\n\tm_static : 1\n\tm_velocity : MetaVec3\n\t\tx_ : 1\n\t}\n}\n", "x_"},
  };
  for (const auto& [text, culprit] : cases) {
    std::istringstream source(text);
    TextReadReport report;
    TextInput in(source, "bad.arc", &report);
    Crate crate;
    ReadBlock(in, crate);
    EXPECT_TRUE(in.fail()) << text;
    EXPECT_EQ(crate.m_mass, 0.0f);
    ASSERT_EQ(report.Issues().size(), 1u) << text;
    EXPECT_EQ(report.Issues()[0].line, culprit == "heavy" ? 3u : 5u);
    EXPECT_NE(report.Issues()[0].reason.find(culprit), std::string::npos) << report.Issues()[0].reason;
  }
}

TEST_F(BlockText, InputCutAnywhereStopsCleanlyWithAReport) {
  Sample written = MakeSample();
  const std::string text = WriteBlock(written);
  const std::size_t complete = text.rfind('}') + 1;
  for (std::size_t cut = 0; cut < complete; ++cut) {
    std::istringstream source(text.substr(0, cut));
    TextReadReport report;
    TextInput in(source, "cut.arc", &report);
    Sample read;
    ReadBlock(in, read);
    EXPECT_TRUE(in.fail()) << "cut at " << cut;
    // Before the head and "{" are complete the caller stops, not the block reader.
    if (cut >= std::string("TestSample\n{").size()) {
      EXPECT_FALSE(report.Empty()) << "cut at " << cut;
    }
  }
}

TEST_F(BlockText, ReportsGoToTheStreamsReportElseToTheOneInstalled) {
  const std::string text = "TestCrate\n{\n\tm_gone : 1\n}\n";
  Crate crate;
  {
    std::istringstream plain(text);
    ReadBlock(plain, crate);  // nobody listening: nothing happens
  }
  TextReadReport outer;
  TextReadReport inner;
  TextReadReport own;
  {
    const TextReadReport::Scope installOuter(outer);
    {
      const TextReadReport::Scope installInner(inner);
      std::istringstream plain(text);
      ReadBlock(plain, crate);
    }
    std::istringstream plain(text);
    ReadBlock(plain, crate);
    std::istringstream source(text);
    TextInput in(source, "own.arc", &own);
    ReadBlock(in, crate);
  }
  EXPECT_EQ(TextReadReport::Installed(), nullptr);
  ASSERT_EQ(inner.Issues().size(), 1u);
  EXPECT_EQ(inner.Issues()[0].file, "");
  EXPECT_EQ(inner.Issues()[0].line, 0u);
  EXPECT_EQ(outer.Issues().size(), 1u);
  ASSERT_EQ(own.Issues().size(), 1u);
  EXPECT_EQ(own.Issues()[0].line, 3u);
}

TEST(TextInputStream, AFileThatDidNotOpenReadsAsFailed) {
  std::ifstream missing("/nonexistent/tidewater/level.txt");
  TextInput in(missing, "level.txt");
  std::string word;
  EXPECT_TRUE(in.fail());
  EXPECT_FALSE(META::ReadWord(in, word));
}

}  // namespace
