#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "MetaTestTypes.h"
#include "meta/TextInput.h"
#include "meta/TextReadReport.h"
#include "meta/TextReaders.h"
#include "meta/TextWords.h"
#include "meta/TextWriters.h"

// Blocks as a level or archetype file holds them, read the way the object
// reader does: the head word and "{" first, then the record's reader.
namespace {

using META::TextReadReport;

class BlockText : public ::testing::Test {
 protected:
  void SetUp() override { RegisterTestRecords(); }

  template <class T>
  static std::string WriteBlock(T& value) {
    std::ostringstream out;
    META::WriteBlock(out, Variant(&T::meta_, &value), 0);
    return out.str();
  }

  // Reads the block in `text` into `value`, as the file "test.arc" reporting
  // to mReport, or as a plain stream. Returns the word after the block, or
  // "<failed>".
  template <class T>
  std::string Read(const std::string& text, T& value, bool asFile = true) {
    std::istringstream source(text);
    META::TextInput file(source, "test.arc", &mReport);
    std::istream& in = asFile ? static_cast<std::istream&>(file) : source;
    std::string word;
    if (META::ReadWord(in, word) && META::ReadWord(in, word)) META::ReadBlock(in, Variant(&T::meta_, &value), false);
    if (in.fail()) return "<failed>";
    return META::ReadWord(in, word) ? word : "";
  }

  // "file:line: reason" of every issue reported so far.
  static std::vector<std::string> Issues(const TextReadReport& report) {
    std::vector<std::string> issues;
    for (const auto& issue : report.Issues()) {
      issues.push_back(issue.file + ":" + std::to_string(issue.line) + ": " + issue.reason);
    }
    return issues;
  }

  TextReadReport mReport;
};

// A non-default value in every member, in declaration order.
Sample MakeSample() {
  return Sample(0.25f, -12, true, 3, 4000000000u, 17, 42, 2, "my model",
                std::vector<std::string>{"stone", "moss", "rust"}, Vectormath::Aos::Matrix4::identity(),
                Vectormath::Aos::Vector4(1.0f, 2.0f, 3.0f, 4.0f), Vectormath::Aos::Vector3(1.5f, -2.0f, 1e6f),
                Vectormath::Aos::Vector4(0.75f, 0.75f, 0.75f, 1.0f));
}

TEST_F(BlockText, EveryMemberTypeSurvivesARoundTripButMatricesAndVec4sAreNotStored) {
  Sample written = MakeSample();
  const std::string text = WriteBlock(written);
  EXPECT_NE(text.find("\tmColor : \tVec4\n\t{\n\t}\n"), std::string::npos);
  EXPECT_NE(text.find("\tmMatrix : <NULL>\n"), std::string::npos);

  Sample read;
  read.mColor = Vectormath::Aos::Vector4(9.0f, 9.0f, 9.0f, 9.0f);
  read.mMatrix = Vectormath::Aos::Matrix4::translation(Vectormath::Aos::Vector3(1.0f, 2.0f, 3.0f));
  const auto matrix = read.mMatrix;
  read.mTextures = {"defaulttexture"};
  ASSERT_EQ(Read(text + "next", read), "next") << text;
  EXPECT_EQ(WriteBlock(read), text);
  EXPECT_EQ(read.mColor.getX(), 9.0f);
  EXPECT_EQ(std::memcmp(&read.mMatrix, &matrix, sizeof matrix), 0);
  EXPECT_TRUE(mReport.Empty());
}

TEST_F(BlockText, MembersTheRecordLacksAreSkippedWithTheirBlocksAndReportedToTheStreamsReport) {
  const std::string text =
      "TestCrate\n{\n"
      "\tm_unknown : 5 7 9\n"  // line 3
      "\tm_mass : 3\n"
      "\tm_old : \t\tMetaVec3\n"  // line 5
      "\t{\n\t\tx_ : 1\n"
      "\t\tinner : Something\n\t\t{\n\t\t\ta : 1\n\t\t}\n"
      "\t\ty_ : 2\n\t}\n"
      "\tm_static : 1\n"
      "\tm_velocity : \t\tMetaVec3\n\t{\n\t\tx_ : 4\n\t\tw_ : 9\n\t\ty_ : 5\n\t\tz_ : 6\n\t}\n"  // w_ on line 18
      "}\nnext";
  TextReadReport installed;
  const TextReadReport::Scope install(installed);
  Crate crate;
  ASSERT_EQ(Read(text, crate), "next");
  EXPECT_EQ(crate.m_mass, 3.0f);
  EXPECT_TRUE(crate.m_static);
  EXPECT_EQ(crate.m_velocity.getX(), 4.0f);
  EXPECT_EQ(crate.m_velocity.getZ(), 6.0f);
  EXPECT_EQ(Issues(mReport), (std::vector<std::string>{"test.arc:3: unknown member 'm_unknown' of TestCrate skipped",
                                                       "test.arc:5: unknown member 'm_old' of TestCrate skipped",
                                                       "test.arc:18: unknown member 'w_' of MetaVec3 skipped"}));
  EXPECT_TRUE(installed.Empty());
}

TEST_F(BlockText, APlainStreamReportsToTheInnermostInstalledReportIfAny) {
  const std::string text = "TestCrate\n{\n\tm_gone : 1\n}\n";
  Crate crate;
  Read(text, crate, false);  // nobody listening: nothing happens
  TextReadReport outer;
  TextReadReport inner;
  {
    const TextReadReport::Scope installOuter(outer);
    {
      const TextReadReport::Scope installInner(inner);
      Read(text, crate, false);
    }
    Read(text, crate, false);
    Read(text, crate, false);
  }
  EXPECT_EQ(TextReadReport::Installed(), nullptr);
  EXPECT_EQ(Issues(inner), (std::vector<std::string>{":0: unknown member 'm_gone' of TestCrate skipped"}));
  EXPECT_EQ(outer.Issues().size(), 2u);
}

TEST_F(BlockText, InputCutAnywhereStopsCleanlyWithAReport) {
  Sample written = MakeSample();
  const std::string text = WriteBlock(written);
  // Before the head and "{" are complete the caller stops, not the block reader.
  const std::size_t opened = std::string("TestSample\n{").size();
  for (std::size_t cut = 0; cut <= text.rfind('}'); ++cut) {
    SCOPED_TRACE("cut at " + std::to_string(cut));
    mReport.Clear();
    Sample read;
    EXPECT_EQ(Read(text.substr(0, cut), read), "<failed>");
    EXPECT_EQ(mReport.Empty(), cut < opened);
  }
}

}  // namespace
