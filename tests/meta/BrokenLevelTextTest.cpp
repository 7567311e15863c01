// Level text that is damaged, hand-edited or from another version: a load
// must end, keep what it could read, and say where it skipped or stopped.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "objects/Object.h"
#include "objects/ObjectFactory.h"
#include "support/EngineFixture.h"
#include "support/LevelTestComponents.h"

namespace {

class BrokenLevelTextTest : public EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    RegisterLevelTestComponents();
    Engine::mFactory.CreateGenericArchetype(L"Object");
  }

  // Reads `text` as a fresh level; returns the names of the objects it made.
  static std::vector<std::string> Read(const std::string& text) {
    Engine::mFactory.DestroyAllObjects();
    Engine::mDeserializer.Report().Clear();
    std::istringstream in(text);
    Engine::mDeserializer(in);
    std::vector<std::string> names;
    for (const auto& [id, object] : Engine::mFactory.GetObjects()) names.push_back(object->GetName());
    return names;
  }
  static std::vector<std::uint32_t> IssueLines() {
    std::vector<std::uint32_t> lines;
    for (const auto& issue : Engine::mDeserializer.Report().Issues()) lines.push_back(issue.line);
    return lines;
  }
  static std::shared_ptr<Widget> WidgetOf(const std::string& name) {
    auto object = Engine::mFactory.GetObjectByName(name).lock();
    return object ? object->GetComponentAs<Widget>(CT_StatModifier) : nullptr;
  }
};

TEST_F(BrokenLevelTextTest, UnknownComponentsArchetypesAndWordsAreSkippedWholeAndReportedWithTheirLine) {
  EXPECT_EQ(Read("Object\n{\n\tmName : Ship\n\tcolour : red\n"
                 "\tFoo\n\t{\n\t\tbar : 1\n\t\tinner : \t\tThing\n\t\t{\n\t\t\tx : 2\n\t\t}\n\t}\n"  // lines 5-12
                 "\tWidget\n\t{\n\t\tmCount : 6\n\t}\n\tleftover\n}\n\n"                             // word on 17
                 "Spaceship\n{\n\tmName : Lost\n\tWidget\n\t{\n\t}\n}\n\n"                           // line 20
                 "Object\n{\n\tmName : Found\n}\n"),
            (std::vector<std::string>{"Ship", "Found"}));
  EXPECT_EQ(WidgetOf("Ship")->mCount, 6);
  std::vector<std::string> reasons;
  for (const auto& issue : Engine::mDeserializer.Report().Issues()) reasons.push_back(issue.reason);
  EXPECT_EQ(reasons, (std::vector<std::string>{"unknown member 'colour' of Object skipped",
                                               "unknown component 'Foo' skipped", "stray word 'leftover' skipped",
                                               "unknown archetype 'Spaceship'; block skipped"}));
  EXPECT_EQ(IssueLines(), (std::vector<std::uint32_t>{4, 5, 17, 20}));
}

TEST_F(BrokenLevelTextTest, AValueThatDoesNotParseEndsTheFileButKeepsAndStartsWhatWasRead) {
  EXPECT_EQ(Read("Object\n{\n\tmName : Before\n}\n\n"
                 "Object\n{\n\tmName : Broken\n\tWidget\n\t{\n\t\tmCount : 12\n\t\tmSpeed : fast\n\t\tmLabel : "
                 "never\n\t}\n}\n\n"
                 "Object\n{\n\tmName : After\n}\n\n"),
            (std::vector<std::string>{"Before", "Broken"}));
  auto widget = WidgetOf("Broken");
  EXPECT_EQ(widget->mCount, 12);
  EXPECT_EQ(widget->mSpeed, 2.5f);
  EXPECT_EQ(widget->mLabel, "widget");
  // The object stays in the game, so its new component is started.
  EXPECT_EQ(widget->initializeCount, 1);
  EXPECT_EQ(IssueLines(), (std::vector<std::uint32_t>{12}));
  EXPECT_NE(Engine::mDeserializer.Report().Issues()[0].reason.find("'fast'"), std::string::npos);
}

TEST_F(BrokenLevelTextTest, UnbalancedBracesStopTheReadWhereTheyAreNoticed) {
  const std::string stray = "a stray closing brace between objects";
  EXPECT_EQ(Read("Object\n{\n\tmName : One\n}\n}\nObject\n{\n\tmName : Two\n}\n"), (std::vector<std::string>{"One"}))
      << stray;
  EXPECT_EQ(IssueLines(), (std::vector<std::uint32_t>{5})) << stray;

  const std::string open = "a component block that never closes takes the object's brace";
  EXPECT_EQ(Read("Object\n{\n\tmName : Open\n\tWidget\n\t{\n\t\tmCount : 2\n}\n\nObject\n{\n\tmName : Next\n}\n"),
            (std::vector<std::string>{"Open"}))
      << open;
  EXPECT_EQ(WidgetOf("Open")->mCount, 2) << open;
  EXPECT_FALSE(IssueLines().empty()) << open;

  // The word after a head word, a component name or a compound member's type
  // name stands for "{" whatever it says; a missing one takes the next word.
  EXPECT_EQ(Read("Object\n(\n\tmName : Odd\n\tWidget\n\t<\n\t\tmCount : 3\n"
                 "\t\tmOffset : \t\tMetaVec3\n\t\t[\n\t\t\tx_ : 4\n\t\t}\n\t}\n}\n"),
            (std::vector<std::string>{"Odd"}));
  EXPECT_EQ(WidgetOf("Odd")->mCount, 3);
  EXPECT_EQ(WidgetOf("Odd")->mOffset.getX(), 4.0f);
  EXPECT_TRUE(IssueLines().empty());
  EXPECT_EQ(Read("Object\n\tmName : NoBrace\n}\n"), (std::vector<std::string>{"Object"})) << "the clone keeps its name";
  EXPECT_EQ(IssueLines(), (std::vector<std::uint32_t>{2})) << "the rest of the name line is skipped";
}

TEST_F(BrokenLevelTextTest, AFileCutAnywhereLoadsWhatItHoldsAndReportsTheCutUnlessItFallsBetweenObjects) {
  const std::string level =
      "Object\n{\n\tmName : First\n\tWidget\n\t{\n\t\tmCount : 1\n\t\tmLabel : one\n\t}\n}\n\n"
      "Object\n{\n\tmName : Second\n\tMarker\n\t{\n\t}\n}\n\n"
      "Object\n{\n\tmName : Third\n\tWidget\n\t{\n\t\tmOffset : \t\tMetaVec3\n\t\t{\n\t\t\tx_ : 4\n\t\t}\n\t}\n}\n\n";
  // Where whole object blocks end: a cut there (give or take blanks) is a
  // shorter level, not a broken one.
  std::vector<std::size_t> blockEnds{0};
  for (std::size_t at = level.find("\n}\n"); at != std::string::npos; at = level.find("\n}\n", at + 1)) {
    blockEnds.push_back(at + 2);
  }
  ASSERT_EQ(blockEnds.size(), 4u);

  for (std::size_t length = 0; length <= level.size(); ++length) {
    SCOPED_TRACE("cut after " + std::to_string(length) + " characters");
    const std::string text = level.substr(0, length);
    EXPECT_LE(Read(text).size(), 3u);
    const std::size_t trimmed = text.find_last_not_of(" \t\n") + 1;
    EXPECT_EQ(IssueLines().empty(), std::find(blockEnds.begin(), blockEnds.end(), trimmed) != blockEnds.end());
    for (std::uint32_t line : IssueLines()) EXPECT_GE(line, 1u);
  }
}

TEST_F(BrokenLevelTextTest, DeeplyNestedOrSelfNestingBlocksAreSkippedWithoutRecursion) {
  std::string deep = "Object\n{\n\tmName : Deep\n\tFoo\n";
  for (int i = 0; i < 200000; ++i) deep += "{ ";
  EXPECT_EQ(Read(deep), (std::vector<std::string>{"Deep"}));
  EXPECT_FALSE(IssueLines().empty());

  // An object block inside an object block is not a component.
  std::string nested = "Object\n{\n\tmName : Outer\n";
  for (int i = 0; i < 1000; ++i) nested += "Object\n{\n";
  for (int i = 0; i < 1000; ++i) nested += "}\n";
  nested += "}\nObject\n{\n\tmName : Sibling\n}\n";
  EXPECT_EQ(Read(nested), (std::vector<std::string>{"Outer", "Sibling"}));
  EXPECT_EQ(IssueLines(), (std::vector<std::uint32_t>{4}));
  EXPECT_TRUE(Engine::mFactory.GetObjectByName("Outer").lock()->GetComponents().empty());
}

}  // namespace
